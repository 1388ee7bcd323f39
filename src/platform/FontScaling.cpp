#include "platform/FontScaling.h"

#include <algorithm>

#include "platform/Platform.h"

namespace platform {

ScaledMetrics ScaleMetrics(const OpenTypeMetrics& metrics, int emPixels) {
  // Each rounded half away from zero, as MulDiv does.
  const auto scale = [&](int units) { return MulDiv(units, emPixels, metrics.unitsPerEm); };
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
  return std::max(1, MulDiv(height, metrics.unitsPerEm, cell));
}

}  // namespace platform
