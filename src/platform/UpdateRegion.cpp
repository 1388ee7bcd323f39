#include "platform/UpdateRegion.h"

#include <algorithm>
#include <utility>

namespace platform::detail {
namespace {

bool Contains(const Rect& outer, const Rect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

Rect BoundingBox(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace

void UpdateRegion::Add(const Rect& r) {
  if (IsRectEmpty(r)) return;
  for (const Rect& existing : rects_) {
    if (Contains(existing, r)) return;
  }
  std::erase_if(rects_, [&](const Rect& existing) { return Contains(r, existing); });
  rects_.push_back(r);
  if (rects_.size() > kMostRectangles) {
    Rect box = rects_.front();
    for (const Rect& each : rects_) box = BoundingBox(box, each);
    rects_.assign(1, box);
  }
}

std::vector<Rect> UpdateRegion::Take() { return std::exchange(rects_, {}); }

}  // namespace platform::detail
