// Deferred painting: invalidation only marks; the Paint message, BeginPaint and EndPaint draw the
// marked part into the window's frame buffer and put just that part on screen.
#include <SDL.h>

#include <string>
#include <vector>

#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/WindowRegistry.h"

namespace platform {

using detail::WindowRecord;

// SDL may hand out a new frame buffer after the window was minimised, exposed or resized, so it
// is asked for every time rather than kept; a window on a scaled output has its own.
SDL_Surface* detail::FrameBuffer(WindowRecord& window) {
  return window.pixels ? window.pixels->Surface() : SDL_GetWindowSurface(window.sdl);
}

void InvalidateRect(WindowHandle handle, const Rect* r, bool erase) {
  WindowRecord* window = detail::Windows().Find(handle);
  if (!window || !window->sdl) return;
  const Rect area = r ? IntersectRect(*r, window->client) : window->client;
  window->update.Add(area);
  if (erase) window->erase.Add(area);
}

PaintArea BeginPaint(WindowHandle handle) {
  WindowRecord* window = detail::Windows().Find(handle);
  if (!window || !window->sdl) return {};
  // A window that cannot be drawn into would sit on screen blank and look hung; nothing the
  // program shows, its error box included, could reach the player.
  SDL_Surface* surface = detail::PaintingFrameBuffer(*window);
  if (!surface) throw PlatformError(std::string("cannot draw into the window: ") + SDL_GetError());
  Canvas canvas;
  canvas.surface = surface;
  canvas.clip = window->client;
  return {canvas, window->update.Take(), window->erase.Take()};
}

void EndPaint(WindowHandle handle, const PaintArea& area) {
  WindowRecord* window = detail::Windows().Find(handle);
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
