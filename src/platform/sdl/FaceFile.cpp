#include "platform/sdl/FaceFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/Platform.h"

namespace platform {
namespace {

std::string FreeTypeReason(FT_Error error) {
  const char* said = FT_Error_String(error);
  return said ? said : "FreeType error " + std::to_string(error);
}

}  // namespace

TrueTypeLibrary::TrueTypeLibrary() {
  if (const FT_Error error = FT_Init_FreeType(&library_); error != 0) {
    throw PlatformError("Cannot start the font renderer: " + FreeTypeReason(error));
  }
}

TrueTypeLibrary::~TrueTypeLibrary() { FT_Done_FreeType(library_); }

namespace {

std::string Reason() { return std::strerror(errno); }

// The charmap the glyphs are looked up in: full Unicode first, then the Basic Plane, a symbol
// font's own, ISO's or Apple's, as the renderer the window was first drawn with chose it.
void ChooseCharmap(FT_Face face) {
  const auto pick = [face](auto wanted) {
    for (int i = 0; i < face->num_charmaps; ++i) {
      if (wanted(*face->charmaps[i])) return face->charmaps[i];
    }
    return FT_CharMap{};
  };
  FT_CharMap found = pick([](const FT_CharMapRec& map) { return map.platform_id == 3 && map.encoding_id == 10; });
  if (!found) {
    found = pick([](const FT_CharMapRec& map) {
      return (map.platform_id == 3 && (map.encoding_id == 1 || map.encoding_id == 0)) ||
             (map.platform_id == 2 && map.encoding_id == 1) || map.platform_id == 0;
    });
  }
  if (found) FT_Set_Charmap(face, found);  // failing that, FreeType's own choice stays
}

}  // namespace

FaceFile::FaceFile(std::shared_ptr<TrueTypeLibrary> library, std::string path, int faceIndex)
    : library_(std::move(library)), path_(std::move(path)) {
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
  } else if ((mapped = mmap(nullptr, static_cast<std::size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0)) ==
             MAP_FAILED) {
    problem = Reason();
  }
  close(fd);
  if (!problem.empty()) throw PlatformError("Cannot read the font file " + path_ + ": " + problem);
  bytes_ = static_cast<const unsigned char*>(mapped);
  length_ = static_cast<std::size_t>(status.st_size);
  const FT_Error error =
      FT_New_Memory_Face(library_->Handle(), bytes_, static_cast<FT_Long>(length_), faceIndex, &face_);
  if (error != 0) {
    munmap(const_cast<unsigned char*>(bytes_), length_);
    throw PlatformError("Cannot open the font file " + path_ + ": " + FreeTypeReason(error));
  }
  ChooseCharmap(face_);
  tables_ = ReadOpenTypeMetrics(face_);
}

FaceFile::~FaceFile() {
  FT_Done_Face(face_);
  munmap(const_cast<unsigned char*>(bytes_), length_);
}

FT_Face FaceFile::At(int emPixels) {
  if (emPixels != emPixels_) {
    // An em size in pixels is a size in points at 72 dpi, FreeType's resolution when given none.
    if (const FT_Error error = FT_Set_Char_Size(face_, 0, FT_F26Dot6{emPixels} * 64, 0, 0); error != 0) {
      throw PlatformError("Cannot size the font " + path_ + ": " + FreeTypeReason(error));
    }
    emPixels_ = emPixels;
  }
  return face_;
}

}  // namespace platform
