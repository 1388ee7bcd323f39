// The part of a window waiting to be painted, as a short list of rectangles. Repeated and nested
// rectangles are folded away so that a label marked twice is painted once; past a handful of
// rectangles the list collapses into their bounding box, which costs a little overdraw but keeps
// painting bounded however much a handler marks.
#pragma once
#include <cstddef>
#include <vector>

#include "platform/Platform.h"

namespace platform::detail {

class UpdateRegion {
 public:
  static constexpr std::size_t kMostRectangles = 16;

  void Add(const Rect& r);
  bool Empty() const { return rects_.empty(); }
  std::vector<Rect> Take();

 private:
  std::vector<Rect> rects_;
};

}  // namespace platform::detail
