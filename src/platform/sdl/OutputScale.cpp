// A scaled Wayland output: its pixels per point, which SDL gives only as two display modes.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sdl/DesktopScale.h"

namespace platform::detail {

int OutputScale() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "wayland") != 0) return 1;
  // SDL gives the desktop mode in points and lists the output's own mode, in pixels, first.
  SDL_DisplayMode points{}, pixels{};
  if (SDL_GetDesktopDisplayMode(0, &points) != 0 || SDL_GetDisplayMode(0, 0, &pixels) != 0 || points.w <= 0) return 1;
  return std::max(1, static_cast<int>(std::lround(static_cast<double>(pixels.w) / points.w)));
}

}  // namespace platform::detail
