#include "platform/DeferredPainting.h"

namespace platform {

void InvalidateRect(WindowHandle handle, const Rect* r, bool erase) {
  detail::WindowBase* window = detail::Windows().Find(handle);
  if (!window || !window->onScreen) return;
  const Rect area = r ? IntersectRect(*r, window->client) : window->client;
  window->update.Add(area);
  if (erase) window->erase.Add(area);
}

PaintArea BeginPaint(WindowHandle handle) {
  detail::WindowBase* window = detail::Windows().Find(handle);
  if (!window || !window->onScreen) return {};
  PaintArea area;
  area.canvas.surface = detail::PaintSurface(*window);
  area.canvas.clip = window->client;
  area.update = window->update.Take();
  area.erase = window->erase.Take();
  return area;
}

}  // namespace platform
