// One font file, read once however many sizes and styles of it are in use: the file is mapped
// into memory, its OpenType tables are read from there, and a single SDL_ttf face is switched to
// whichever size and style is asked for. Every font made from the file shares this.
#pragma once
#include <SDL_ttf.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "platform/sdl/OpenTypeMetrics.h"

namespace platform {

// SDL_ttf is started with the first font file and stopped after the last one is closed.
class TrueTypeLibrary {
 public:
  TrueTypeLibrary();
  ~TrueTypeLibrary();
  TrueTypeLibrary(const TrueTypeLibrary&) = delete;
  TrueTypeLibrary& operator=(const TrueTypeLibrary&) = delete;
};

class FaceFile {
 public:
  // Throws PlatformError when the file cannot be read or is no font SDL_ttf can open.
  FaceFile(std::shared_ptr<TrueTypeLibrary> library, std::string path, int faceIndex);
  ~FaceFile();
  FaceFile(const FaceFile&) = delete;
  FaceFile& operator=(const FaceFile&) = delete;

  const std::string& Path() const { return path_; }
  // Nothing when the file carries no sfnt tables (a Type 1 or bitmap font).
  const std::optional<OpenTypeMetrics>& Tables() const { return tables_; }

  // The face at an em size in pixels and a TTF_STYLE_*; valid until the next call.
  TTF_Font* At(int emPixels, int style);

 private:
  std::shared_ptr<TrueTypeLibrary> library_;
  std::string path_;
  const unsigned char* bytes_ = nullptr;
  std::size_t length_ = 0;
  std::optional<OpenTypeMetrics> tables_;
  int faceIndex_;
  TTF_Font* face_ = nullptr;
  int emPixels_ = 0, style_ = TTF_STYLE_NORMAL;
};

}  // namespace platform
