// What a canvas is on every backend: an origin and a clip on a frame buffer, narrowed for each
// label it is handed to.
#include "platform/Platform.h"

namespace platform {

Canvas Canvas::Screen() { return Canvas{}; }

Canvas Canvas::Within(const Rect& r) const {
  Canvas inner = *this;
  const Rect narrowed = IntersectRect(clip, r);
  inner.originX = originX + r.left;
  inner.originY = originY + r.top;
  inner.clip = {narrowed.left - r.left, narrowed.top - r.top, narrowed.right - r.left, narrowed.bottom - r.top};
  return inner;
}

}  // namespace platform
