// Painting on the page: the marked part is drawn on the window's canvas, and the browser puts the
// canvas on screen at its next frame.
#include "platform/DeferredPainting.h"
#include "platform/web/SystemCalls.h"
#include "platform/web/Windows.h"

namespace platform {

void* detail::PaintSurface(WindowBase& window) {
  MayPaint();
  return SurfaceOf(window.handle);
}

void EndPaint(WindowHandle, const PaintArea&) {}

}  // namespace platform
