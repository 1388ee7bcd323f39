// What the text tests share: the window font as the layout names it, and a frame buffer of their
// own to draw on, so that no window or display is needed.
#pragma once
#include <SDL.h>

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/Testing.h"

namespace platform::text_testing {

// "ＭＳ Ｐゴシック" in code page 932, with the Shift-JIS character set.
inline FontRequest WindowFont(int height, int weight = 400) {
  return {"\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", height, weight, 128};
}

struct SurfaceDeleter { void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); } };

// A frame buffer filled with `background`, and a canvas covering all of it.
class Paper {
 public:
  Paper(int width, int height, ColorRef background, Uint32 format = SDL_PIXELFORMAT_XRGB8888)
      : surface_(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, format)) {
    canvas_.surface = surface_.get();
    canvas_.clip = {0, 0, width, height};
    canvas_.FillRect(canvas_.clip, background);
  }
  const Canvas& canvas() const { return canvas_; }
  SDL_Surface* surface() const { return surface_.get(); }
  int width() const { return surface_->w; }
  int height() const { return surface_->h; }

  // How dark a pixel is on a white background, 0 (white) to 255 (black).
  int Ink(int x, int y) const {
    const ColorRef c = testing::PixelAt(canvas_, x, y);
    return 255 - static_cast<int>(((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF)) / 3);
  }
  // The box around every pixel with more than `threshold` ink; empty when there is none.
  Rect InkBounds(int threshold = 64) const {
    Rect box{width(), height(), 0, 0};
    for (int y = 0; y < height(); ++y) {
      for (int x = 0; x < width(); ++x) {
        if (Ink(x, y) <= threshold) continue;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    }
    return box.right > box.left ? box : Rect{};
  }

 private:
  std::unique_ptr<SDL_Surface, SurfaceDeleter> surface_;
  Canvas canvas_;
};

inline std::string Describe(const Rect& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

}  // namespace platform::text_testing
