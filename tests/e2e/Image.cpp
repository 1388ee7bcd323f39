#include "e2e/Image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace e2e {

Image Image::Crop(const platform::Rect& r) const {
  Image part{r.right - r.left, r.bottom - r.top, {}};
  part.pixels.reserve(static_cast<std::size_t>(part.width * part.height));
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) part.pixels.push_back(At(x, y));
  }
  return part;
}

Difference Compare(const Image& seen, const Image& expected) {
  Difference difference;
  if (seen.width != expected.width || seen.height != expected.height) {
    difference.sizesDiffer = true;
    return difference;
  }
  for (std::size_t i = 0; i < seen.pixels.size(); ++i) {
    if (seen.pixels[i] == expected.pixels[i]) continue;
    ++difference.differingPixels;
    for (int shift = 0; shift < 24; shift += 8) {
      const int a = static_cast<int>((seen.pixels[i] >> shift) & 0xFF), b = static_cast<int>((expected.pixels[i] >> shift) & 0xFF);
      difference.largestChannelStep = std::max(difference.largestChannelStep, std::abs(a - b));
    }
  }
  return difference;
}

std::string Difference::Describe() const {
  if (sizesDiffer) return "the sizes differ";
  return std::to_string(differingPixels) + " pixels differ, by up to " + std::to_string(largestChannelStep) +
         " in one channel";
}

std::string Hex(platform::ColorRef color) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(color));
  return text;
}

}  // namespace e2e
