// One font file, read once however many sizes and styles of it are in use: the file is mapped
// into memory and opened as a single FreeType face, whose OpenType tables are read once and which
// is switched to whichever size is asked for. Every font made from the file shares this.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/sdl/OpenTypeMetrics.h"

namespace platform {

// FreeType is started with the first font file and stopped after the last one is closed.
class TrueTypeLibrary {
 public:
  TrueTypeLibrary();
  ~TrueTypeLibrary();
  TrueTypeLibrary(const TrueTypeLibrary&) = delete;
  TrueTypeLibrary& operator=(const TrueTypeLibrary&) = delete;
  FT_Library Handle() const { return library_; }

 private:
  FT_Library library_ = nullptr;
};

class FaceFile {
 public:
  // Throws PlatformError when the file cannot be read or is no font FreeType can open.
  FaceFile(std::shared_ptr<TrueTypeLibrary> library, std::string path, int faceIndex);
  ~FaceFile();
  FaceFile(const FaceFile&) = delete;
  FaceFile& operator=(const FaceFile&) = delete;

  const std::string& Path() const { return path_; }
  // Nothing when the file carries no sfnt tables (a Type 1 font).
  const std::optional<OpenTypeMetrics>& Tables() const { return tables_; }

  // The face at an em size in pixels; valid until the next call with another size. Throws
  // PlatformError when the face cannot take that size (a bitmap-only font).
  FT_Face At(int emPixels);

 private:
  std::shared_ptr<TrueTypeLibrary> library_;
  std::string path_;
  const unsigned char* bytes_ = nullptr;
  std::size_t length_ = 0;
  FT_Face face_ = nullptr;
  std::optional<OpenTypeMetrics> tables_;
  int emPixels_ = 0;
};

}  // namespace platform
