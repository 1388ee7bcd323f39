#include "platform/OpenTypeMetrics.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string_view>
#include <vector>

namespace platform {
namespace {

// Reads the few pieces of a font file that are needed, without loading the megabytes of glyphs.
class SfntFile {
 public:
  explicit SfntFile(const std::string& path) : in_(path, std::ios::binary) {}
  explicit operator bool() const { return static_cast<bool>(in_); }

  // `length` bytes from `offset`, or nothing if the file is shorter.
  std::optional<std::vector<unsigned char>> Read(std::size_t offset, std::size_t length) {
    std::vector<unsigned char> bytes(length);
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(length));
    if (!in_ || in_.gcount() != static_cast<std::streamsize>(length)) return std::nullopt;
    return bytes;
  }

  // Where the table directory of face `faceIndex` starts: the file start for a single font, or
  // the entry in the collection header of a .ttc.
  std::optional<std::size_t> FaceDirectory(int faceIndex) {
    const auto header = Read(0, 12);
    if (!header) return std::nullopt;
    if (U32(*header, 0) != 0x74746366) return faceIndex == 0 ? std::optional<std::size_t>(0) : std::nullopt;  // 'ttcf'
    if (faceIndex < 0 || static_cast<std::uint32_t>(faceIndex) >= U32(*header, 8)) return std::nullopt;
    const auto entry = Read(12 + static_cast<std::size_t>(faceIndex) * 4, 4);
    if (!entry) return std::nullopt;
    return U32(*entry, 0);
  }

  // The first `length` bytes of the table with `tag` in the face whose directory is at
  // `directory`, provided the table is at least that long.
  std::optional<std::vector<unsigned char>> Table(std::size_t directory, std::string_view tag, std::size_t length) {
    const auto head = Read(directory, 12);
    if (!head) return std::nullopt;
    const auto records = Read(directory + 12, static_cast<std::size_t>(U16(*head, 4)) * 16);
    if (!records) return std::nullopt;
    for (std::size_t record = 0; record < records->size(); record += 16) {
      if (std::string_view(reinterpret_cast<const char*>(&(*records)[record]), 4) != tag) continue;
      if (U32(*records, record + 12) < length) return std::nullopt;
      return Read(U32(*records, record + 8), length);
    }
    return std::nullopt;
  }

  static std::uint32_t U32(const std::vector<unsigned char>& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 | std::uint32_t{b[at + 2]} << 8 | std::uint32_t{b[at + 3]};
  }
  static int U16(const std::vector<unsigned char>& b, std::size_t at) { return b[at] << 8 | b[at + 1]; }
  static int S16(const std::vector<unsigned char>& b, std::size_t at) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(U16(b, at)));
  }

 private:
  std::ifstream in_;
};

int RoundedScale(int units, int emPixels, int unitsPerEm) {
  // Halves round away from zero, as MulDiv does.
  const long long product = static_cast<long long>(units) * emPixels * 2;
  const long long twice = product / unitsPerEm;
  return static_cast<int>(twice >= 0 ? (twice + 1) / 2 : (twice - 1) / 2);
}

}  // namespace

std::optional<OpenTypeMetrics> ReadOpenTypeMetrics(const std::string& file, int faceIndex) {
  SfntFile font(file);
  if (!font) return std::nullopt;
  const auto directory = font.FaceDirectory(faceIndex);
  if (!directory) return std::nullopt;
  const auto head = font.Table(*directory, "head", 54);
  if (!head) return std::nullopt;

  OpenTypeMetrics metrics;
  metrics.unitsPerEm = SfntFile::U16(*head, 18);
  if (metrics.unitsPerEm == 0) return std::nullopt;
  if (const auto os2 = font.Table(*directory, "OS/2", 78)) {
    metrics.averageCharWidth = SfntFile::S16(*os2, 2);
    metrics.winAscent = SfntFile::U16(*os2, 74);
    metrics.winDescent = SfntFile::U16(*os2, 76);
  } else if (const auto hhea = font.Table(*directory, "hhea", 36)) {
    // Old Mac fonts without OS/2: the horizontal header is the best there is.
    metrics.winAscent = SfntFile::S16(*hhea, 4);
    metrics.winDescent = std::abs(SfntFile::S16(*hhea, 6));
  } else {
    return std::nullopt;
  }
  if (metrics.winAscent + metrics.winDescent <= 0) return std::nullopt;
  if (const auto post = font.Table(*directory, "post", 12)) {
    metrics.underlinePosition = SfntFile::S16(*post, 8);
    metrics.underlineThickness = SfntFile::S16(*post, 10);
  }
  return metrics;
}

ScaledMetrics ScaleMetrics(const OpenTypeMetrics& metrics, int emPixels) {
  const auto scale = [&](int units) { return RoundedScale(units, emPixels, metrics.unitsPerEm); };
  ScaledMetrics scaled;
  scaled.ascent = scale(metrics.winAscent);
  scaled.descent = scale(metrics.winDescent);
  scaled.averageCharWidth = scale(metrics.averageCharWidth);
  // The mnemonic underline sits below the baseline by at least one pixel and inside the line.
  scaled.underlineThickness = std::max(1, scale(metrics.underlineThickness));
  scaled.underlineOffset = std::clamp(scale(-metrics.underlinePosition), 1,
                                      std::max(1, scaled.descent - scaled.underlineThickness));
  return scaled;
}

int EmPixelsForHeight(const OpenTypeMetrics& metrics, int height) {
  constexpr int kDefaultEmPixels = 12;
  if (height < 0) return -height;
  if (height == 0) return kDefaultEmPixels;
  const int cell = metrics.winAscent + metrics.winDescent;
  return std::max(1, RoundedScale(height, metrics.unitsPerEm, cell));
}

}  // namespace platform
