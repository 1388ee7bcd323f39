// Deferred painting: invalidation only marks; the Paint message, BeginPaint and EndPaint draw the
// marked part on the window's canvas. The browser puts the canvas on screen at its next frame.
#include "platform/web/SystemCalls.h"
#include "platform/web/Windows.h"

namespace platform {

void InvalidateRect(WindowHandle handle, const Rect* r, bool erase) {
  detail::WebWindow* window = detail::Windows().Find(handle);
  if (!window || !window->onScreen) return;
  const Rect area = r ? IntersectRect(*r, window->client) : window->client;
  window->update.Add(area);
  if (erase) window->erase.Add(area);
}

PaintArea BeginPaint(WindowHandle handle) {
  detail::WebWindow* window = detail::Windows().Find(handle);
  if (!window || !window->onScreen) return {};
  detail::MayPaint();  // a window that cannot be drawn into would sit on the page blank
  PaintArea area;
  area.canvas.surface = detail::SurfaceOf(handle);
  area.canvas.clip = window->client;
  area.update = window->update.Take();
  area.erase = window->erase.Take();
  return area;
}

void EndPaint(WindowHandle, const PaintArea&) {}

}  // namespace platform
