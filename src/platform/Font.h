// A logical font realised: the file the mapper chose, opened by SDL_ttf at its em size in pixels,
// with the GDI-style metrics that layout uses. Fonts are shared and never change once made.
#pragma once
#include <SDL2/SDL_ttf.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "platform/Platform.h"

namespace platform {

class TrueTypeLibrary;

class Font {
 public:
  Font(std::shared_ptr<TrueTypeLibrary> library, TTF_Font* face, std::string file, const TextMetrics& metrics,
       int underlineOffset, int underlineThickness);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const TextMetrics& Metrics() const { return metrics_; }
  const std::string& File() const { return file_; }
  // Rows below the baseline where a mnemonic underline starts, and its thickness.
  int UnderlineOffset() const { return underlineOffset_; }
  int UnderlineThickness() const { return underlineThickness_; }

  // How far the pen moves for a character, in whole pixels as SDL_ttf hints it. A character the
  // face lacks moves by the width of the box drawn for it.
  int Advance(char32_t c) const;
  // Draws one character, antialiased, with its pen position at x and its baseline at y.
  void DrawGlyph(SDL_Surface* target, char32_t c, int x, int baselineY, SDL_Color color) const;

 private:
  std::shared_ptr<TrueTypeLibrary> library_;  // keeps SDL_ttf alive while the face is open
  TTF_Font* face_;
  std::string file_;
  TextMetrics metrics_;
  int underlineOffset_, underlineThickness_;
  mutable std::unordered_map<char32_t, int> advances_;
};

}  // namespace platform
