// Painting on SDL: the marked part is drawn into the window's frame buffer, and just that part is
// put on screen.
#include <SDL.h>

#include <string>
#include <vector>

#include "platform/DeferredPainting.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/Windows.h"

namespace platform {

using detail::SdlWindow;

// SDL may hand out a new frame buffer after the window was minimised, exposed or resized, so it
// is asked for every time rather than kept; a window on a scaled output has its own.
SDL_Surface* detail::FrameBuffer(SdlWindow& window) {
  return window.pixels ? window.pixels->Surface() : SDL_GetWindowSurface(window.sdl);
}

void* detail::PaintSurface(WindowBase& window) {
  SDL_Surface* surface = PaintingFrameBuffer(static_cast<SdlWindow&>(window));
  if (!surface) throw PlatformError(std::string("cannot draw into the window: ") + SDL_GetError());
  return surface;
}

void EndPaint(WindowHandle handle, const PaintArea& area) {
  SdlWindow* window = detail::FindWindow(handle);
  if (!window || !window->sdl || !area.canvas.surface || area.update.empty()) return;
  std::vector<SDL_Rect> rects;
  rects.reserve(area.update.size());
  for (const Rect& r : area.update) rects.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
  if (window->pixels) {
    window->pixels->Present(rects.data(), static_cast<int>(rects.size()));
  } else {
    SDL_UpdateWindowSurfaceRects(window->sdl, rects.data(), static_cast<int>(rects.size()));
  }
}

}  // namespace platform
