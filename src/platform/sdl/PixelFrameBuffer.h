// A window's own frame buffer at full pixel size, for where SDL's window surface cannot be one.
#pragma once
#include <SDL.h>

#include "platform/Platform.h"

namespace platform::detail {

// What a window that cannot be drawn into reports: the desktop's reason after the program's words.
PlatformError NoFrameBuffer();

// On a scaled Wayland output SDL's window surface stays in points and the compositor would blow
// it up. A window there is painted into a frame buffer of its own at full pixel size instead,
// which a renderer shows one pixel for one.
class PixelFrameBuffer {
 public:
  PixelFrameBuffer(SDL_Window* window, int width, int height);  // throws PlatformError
  ~PixelFrameBuffer();
  PixelFrameBuffer(const PixelFrameBuffer&) = delete;
  PixelFrameBuffer& operator=(const PixelFrameBuffer&) = delete;

  void Resize(int width, int height);  // throws PlatformError
  SDL_Surface* Surface() const { return surface_; }
  void Present(const SDL_Rect* rects, int count);

 private:
  void Release();

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_Surface* surface_ = nullptr;
  bool resized_ = false;
};

}  // namespace platform::detail
