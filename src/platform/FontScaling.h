// The GDI rules for a face's pixel sizes, from the few numbers of its OpenType tables that text
// layout needs: every backend that reads the tables itself scales them by these rules, so that
// its lines and baselines fall where the Windows rasteriser puts them.
#pragma once

namespace platform {

struct OpenTypeMetrics {
  int unitsPerEm = 0;
  int winAscent = 0, winDescent = 0;  // both positive, in font units
  int averageCharWidth = 0;           // OS/2 xAvgCharWidth; 0 when the face has no OS/2 table
  int underlinePosition = 0;          // post table: negative below the baseline
  int underlineThickness = 0;
};

// The pixel sizes the metrics give at an em size, each rounded as the Windows rasteriser does.
struct ScaledMetrics {
  int ascent = 0, descent = 0, averageCharWidth = 0, underlineOffset = 0, underlineThickness = 0;
};
ScaledMetrics ScaleMetrics(const OpenTypeMetrics& metrics, int emPixels);

// The em size in pixels for a logical font height: negative is the em size itself, positive is
// the height of the whole cell (ascent plus descent), 0 is the platform's default of 12 pixels.
int EmPixelsForHeight(const OpenTypeMetrics& metrics, int height);

}  // namespace platform
