#include "e2e/Image.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

Image ReadPpm(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {};
  Image image;
  int maximum = 0;
  if (std::fscanf(file, "P6 %d %d %d", &image.width, &image.height, &maximum) == 3 && maximum == 255 &&
      std::fgetc(file) != EOF && image.width > 0 && image.height > 0) {
    const auto count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::vector<unsigned char> rgb(count * 3);
    if (std::fread(rgb.data(), 1, rgb.size(), file) == rgb.size()) {
      for (std::size_t i = 0; i < count; ++i) {
        image.pixels.push_back(rgb[3 * i] | rgb[3 * i + 1] << 8 | static_cast<platform::ColorRef>(rgb[3 * i + 2]) << 16);
      }
    }
  }
  std::fclose(file);
  if (image.pixels.empty()) return {};
  return image;
}

}  // namespace e2e
