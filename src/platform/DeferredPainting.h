// Deferred painting for a backend that keeps its windows itself: invalidation only marks; when
// the queue is empty a Paint message comes, and BeginPaint hands out the marked part on the
// backend's surface.
#pragma once
#include "platform/WindowTable.h"

namespace platform::detail {

// What each backend gives: the surface a Canvas draws on for `window`, asked for at every paint.
// Throws PlatformError when the window cannot be drawn into: it would sit on screen blank and look
// hung, and nothing the program shows, its error box included, could reach the player.
void* PaintSurface(WindowBase& window);

}  // namespace platform::detail
