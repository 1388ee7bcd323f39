#include "platform/sdl/FaceFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "platform/Platform.h"

namespace platform {

TrueTypeLibrary::TrueTypeLibrary() {
  if (TTF_Init() != 0) throw PlatformError(std::string("Cannot start the font renderer: ") + TTF_GetError());
}

TrueTypeLibrary::~TrueTypeLibrary() { TTF_Quit(); }

namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

FaceFile::FaceFile(std::shared_ptr<TrueTypeLibrary> library, std::string path, int faceIndex)
    : library_(std::move(library)), path_(std::move(path)), faceIndex_(faceIndex) {
  // Mapped rather than read: only the pages of the tables and glyphs in use are ever loaded, and
  // the system shares them with every other program showing the same font.
  const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw PlatformError("Cannot open the font file " + path_ + ": " + Reason());
  struct stat status {};
  void* mapped = MAP_FAILED;
  std::string problem;
  if (fstat(fd, &status) != 0) {
    problem = Reason();
  } else if (status.st_size <= 0) {
    problem = "the file is empty";
  } else if (status.st_size > INT_MAX) {
    problem = "the file is too large";  // SDL reads memory through an int length
  } else if ((mapped = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0)) ==
             MAP_FAILED) {
    problem = Reason();
  }
  close(fd);
  if (!problem.empty()) throw PlatformError("Cannot read the font file " + path_ + ": " + problem);
  bytes_ = static_cast<const unsigned char*>(mapped);
  length_ = static_cast<std::size_t>(status.st_size);
  tables_ = ReadOpenTypeMetrics(bytes_, length_, faceIndex_);
}

FaceFile::~FaceFile() {
  if (face_) TTF_CloseFont(face_);
  munmap(const_cast<unsigned char*>(bytes_), length_);
}

TTF_Font* FaceFile::At(int emPixels, int style) {
  if (!face_) {
    SDL_RWops* source = SDL_RWFromConstMem(bytes_, static_cast<int>(length_));
    // SDL_ttf sizes in points at 72 dpi, so a point size equal to the em size in pixels is exact.
    face_ = source ? TTF_OpenFontIndexRW(source, 1, emPixels, faceIndex_) : nullptr;
    if (!face_) throw PlatformError("Cannot open the font file " + path_ + ": " + TTF_GetError());
    emPixels_ = emPixels;
  } else if (emPixels != emPixels_) {
    if (TTF_SetFontSize(face_, emPixels) != 0) {
      throw PlatformError("Cannot size the font " + path_ + ": " + TTF_GetError());
    }
    emPixels_ = emPixels;
  }
  if (style != style_) {
    TTF_SetFontStyle(face_, style);
    style_ = style;
  }
  return face_;
}

}  // namespace platform
