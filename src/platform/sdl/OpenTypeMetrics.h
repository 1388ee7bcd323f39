// The few numbers of a TrueType/OpenType face that text layout needs, read through FreeType from
// the font's OS/2, hhea, head and post tables. SDL_ttf's own heights come from other metrics and
// differ by a pixel at some sizes, so line heights and baselines are computed from these instead.
#pragma once
#include <cstddef>
#include <optional>

namespace platform {

struct OpenTypeMetrics {
  int unitsPerEm = 0;
  int winAscent = 0, winDescent = 0;  // both positive, in font units
  int averageCharWidth = 0;           // OS/2 xAvgCharWidth; 0 when the face has no OS/2 table
  int underlinePosition = 0;          // post table: negative below the baseline
  int underlineThickness = 0;
};

// Reads the metrics of face `faceIndex` of a .ttf/.otf file or a .ttc collection held in memory.
// Returns nothing when the bytes are not an sfnt font or lack the tables.
std::optional<OpenTypeMetrics> ReadOpenTypeMetrics(const unsigned char* bytes, std::size_t length, int faceIndex);

// The pixel sizes the metrics give at an em size, each rounded as the Windows rasteriser does.
struct ScaledMetrics {
  int ascent = 0, descent = 0, averageCharWidth = 0, underlineOffset = 0, underlineThickness = 0;
};
ScaledMetrics ScaleMetrics(const OpenTypeMetrics& metrics, int emPixels);

// The em size in pixels for a logical font height: negative is the em size itself, positive is
// the height of the whole cell (ascent plus descent), 0 is the platform's default of 12 pixels.
int EmPixelsForHeight(const OpenTypeMetrics& metrics, int height);

}  // namespace platform
