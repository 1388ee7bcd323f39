// A logical font realised by the system's font mapper, and what it measures.
#pragma once
#include "platform/win32/Win32Api.h"

namespace platform {

class Font {
 public:
  explicit Font(HFONT handle);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  HFONT Handle() const { return handle_; }
  const TextMetrics& Metrics() const { return metrics_; }
  const std::string& Face() const { return face_; }  // the face the mapper chose, in UTF-8

 private:
  HFONT handle_;
  TextMetrics metrics_;
  std::string face_;
};

}  // namespace platform
