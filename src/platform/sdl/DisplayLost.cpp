// The connection to the display can go at any moment: the X server ends, the compositor crashes,
// the session is logged out. Nothing can be shown after that, and Xlib would not even let the
// program go on; it ends at once with one line of its own.
#include <SDL.h>
#include <SDL_syswm.h>
#include <unistd.h>
#include <wayland-client-core.h>

#include <cstddef>

#include "platform/sdl/DisplayLost.h"

namespace platform::detail {
namespace {

// Only async-signal-safe calls: Xlib may be in any state when it calls this.
template <std::size_t N>
[[noreturn]] void EndSaying(const char (&line)[N]) {
  const ssize_t written = write(STDERR_FILENO, line, N - 1);
  (void)written;
  _exit(1);
}

}  // namespace

void EndForLostDisplay() { EndSaying("quillet: the connection to the display was lost; the game has ended\n"); }

void EndForDestroyedWindow() {
  EndSaying("quillet: another program destroyed a window of the game; the game has ended\n");
}

// SDL reports a broken Wayland connection as a quit request, like a signal; the connection's own
// error tells them apart. On X11 Xlib's handler has already ended the program.
bool DisplayLost(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return false;
  return wl_display_get_error(info.info.wl.display) != 0;
}

}  // namespace platform::detail
