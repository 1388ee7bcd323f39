#include "platform/OpenTypeMetrics.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace platform {
namespace {

// Big-endian reads that report failure instead of reading past the end of a damaged file.
class SfntReader {
 public:
  explicit SfntReader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

  bool Has(std::size_t offset, std::size_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  std::uint32_t U32(std::size_t at) const {
    return std::uint32_t{bytes_[at]} << 24 | std::uint32_t{bytes_[at + 1]} << 16 |
           std::uint32_t{bytes_[at + 2]} << 8 | std::uint32_t{bytes_[at + 3]};
  }
  int U16(std::size_t at) const { return bytes_[at] << 8 | bytes_[at + 1]; }
  int S16(std::size_t at) const { return static_cast<std::int16_t>(static_cast<std::uint16_t>(U16(at))); }

  // Offset of the table with `tag` in the face whose table directory starts at `directory`,
  // provided the table holds at least `minimumLength` bytes.
  std::optional<std::size_t> FindTable(std::size_t directory, std::string_view tag, std::size_t minimumLength) const {
    if (!Has(directory, 12)) return std::nullopt;
    const int tableCount = U16(directory + 4);
    for (int i = 0; i < tableCount; ++i) {
      const std::size_t record = directory + 12 + static_cast<std::size_t>(i) * 16;
      if (!Has(record, 16)) return std::nullopt;
      if (std::string_view(reinterpret_cast<const char*>(&bytes_[record]), 4) != tag) continue;
      const std::size_t offset = U32(record + 8), length = U32(record + 12);
      if (length < minimumLength || !Has(offset, minimumLength)) return std::nullopt;
      return offset;
    }
    return std::nullopt;
  }

  // Where the table directory of face `faceIndex` starts: the file start for a single font, or
  // the entry in the collection header of a .ttc.
  std::optional<std::size_t> FaceDirectory(int faceIndex) const {
    if (!Has(0, 12)) return std::nullopt;
    if (U32(0) != 0x74746366) return faceIndex == 0 ? std::optional<std::size_t>(0) : std::nullopt;  // 'ttcf'
    const std::uint32_t faceCount = U32(8);
    if (faceIndex < 0 || static_cast<std::uint32_t>(faceIndex) >= faceCount) return std::nullopt;
    const std::size_t entry = 12 + static_cast<std::size_t>(faceIndex) * 4;
    if (!Has(entry, 4)) return std::nullopt;
    return U32(entry);
  }

 private:
  std::vector<unsigned char> bytes_;
};

int RoundedScale(int units, int emPixels, int unitsPerEm) {
  // Halves round away from zero, as MulDiv does.
  const long long product = static_cast<long long>(units) * emPixels * 2;
  const long long twice = product / unitsPerEm;
  return static_cast<int>(twice >= 0 ? (twice + 1) / 2 : (twice - 1) / 2);
}

}  // namespace

std::optional<OpenTypeMetrics> ReadOpenTypeMetrics(const std::string& file, int faceIndex) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  SfntReader font(std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {}));

  const auto directory = font.FaceDirectory(faceIndex);
  if (!directory) return std::nullopt;
  const auto head = font.FindTable(*directory, "head", 54);
  const auto hhea = font.FindTable(*directory, "hhea", 36);
  if (!head) return std::nullopt;

  OpenTypeMetrics metrics;
  metrics.unitsPerEm = font.U16(*head + 18);
  if (metrics.unitsPerEm == 0) return std::nullopt;
  if (const auto os2 = font.FindTable(*directory, "OS/2", 78)) {
    metrics.averageCharWidth = font.S16(*os2 + 2);
    metrics.winAscent = font.U16(*os2 + 74);
    metrics.winDescent = font.U16(*os2 + 76);
  } else if (hhea) {
    // Old Mac fonts without OS/2: the horizontal header is the best there is.
    metrics.winAscent = font.S16(*hhea + 4);
    metrics.winDescent = std::abs(font.S16(*hhea + 6));
  } else {
    return std::nullopt;
  }
  if (metrics.winAscent + metrics.winDescent <= 0) return std::nullopt;
  if (const auto post = font.FindTable(*directory, "post", 12)) {
    metrics.underlinePosition = font.S16(*post + 8);
    metrics.underlineThickness = font.S16(*post + 10);
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
