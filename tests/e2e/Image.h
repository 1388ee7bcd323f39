// A rectangle of pixels, from the screen or drawn headless, and how two of them differ.
#pragma once
#include <string>
#include <vector>

#include "Hex.h"
#include "platform/Platform.h"

namespace e2e {

struct Image {
  int width = 0, height = 0;
  std::vector<platform::ColorRef> pixels;  // row by row, 0x00BBGGRR

  platform::ColorRef At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  Image Crop(const platform::Rect& r) const;  // r must lie inside
  bool operator==(const Image&) const = default;
};

struct Difference {
  int differingPixels = 0;
  int largestChannelStep = 0;  // the biggest difference of one colour channel, 0 to 255
  bool sizesDiffer = false;

  bool Same() const { return !sizesDiffer && differingPixels == 0; }
  // The same shapes drawn by another rasteriser: edge pixels may shade differently, by up to
  // `channelTolerance`, but no pixel is ink in one picture and background in the other.
  bool SameWithin(int channelTolerance) const { return !sizesDiffer && largestChannelStep <= channelTolerance; }
  std::string Describe() const;
};

Difference Compare(const Image& seen, const Image& expected);

// A binary PPM file (P6, 8 bits a channel), as screenshot tools write it; empty if unreadable.
Image ReadPpm(const std::string& path);

}  // namespace e2e
