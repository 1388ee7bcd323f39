// Opening the display, where SDL trusts what it connects to (see DisplayOpening.cpp).
#pragma once
#include <string>

namespace platform::detail {

// Why WAYLAND_DISPLAY cannot be used when SDL is to try Wayland first: the socket closes, never
// answers within a few seconds, or offers no seat; empty when it is a compositor, or not tried.
std::string WaylandRefusal();
// SDL_InitSubSystem for video, with SIGINT and SIGTERM ending the process meanwhile.
int StartVideo();

}  // namespace platform::detail
