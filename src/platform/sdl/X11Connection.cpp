#include "platform/sdl/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/sdl/X11EventTap.h"

namespace platform::detail {

X11Window X11WindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return {};
  return {info.info.x11.display, info.info.x11.window, ConnectionNumber(info.info.x11.display)};
}

bool NothingQueued(const X11Window& x) {
  XFlush(x.display);
  // Reading may hold back more input, so that is asked after.
  return XEventsQueued(x.display, QueuedAfterReading) == 0 && !InputHeld();
}

}  // namespace platform::detail
