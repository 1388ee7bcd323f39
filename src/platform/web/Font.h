// A logical font realised: the page's window face at an em size in device pixels, with the
// GDI-style metrics that layout uses, computed from the face's own tables as the desktop does.
#pragma once
#include <string>
#include <unordered_map>

#include "platform/Platform.h"

namespace platform {

class Font {
 public:
  Font(int emPixels, bool bold, const TextMetrics& metrics, int underlineOffset, int underlineThickness);

  const TextMetrics& Metrics() const { return metrics_; }
  int EmPixels() const { return emPixels_; }
  bool Bold() const { return bold_; }  // the face has no bold of its own: the browser emboldens it
  int UnderlineOffset() const { return underlineOffset_; }
  int UnderlineThickness() const { return underlineThickness_; }
  // How far the pen moves for a character in whole pixels, from the face's own advances as the
  // desktop's FreeType rounds them, so that text lands where the desktop puts it.
  int Advance(char32_t c) const;

 private:
  int emPixels_;
  bool bold_;
  TextMetrics metrics_;
  int underlineOffset_, underlineThickness_;
  mutable std::unordered_map<char32_t, int> advances_;
};

namespace detail {

std::string FaceFile();  // the face the page carries, as its file was named

}  // namespace detail

}  // namespace platform
