// The desktop's font scaling. On X11 it is the resource "Xft.dpi" that desktop environments set
// when the user scales text; on Wayland it is the output's scale, 96 dpi for each step. Anything
// else means 96.
#include <SDL.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/sdl/DesktopScale.h"

namespace platform::detail {
namespace {

constexpr int kStandardResolution = 96;

int ReadXftDpi() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 0;
  const int dpi = ParseXftDpi(XResourceManagerString(display));
  XCloseDisplay(display);
  return dpi;
}

}  // namespace

int ParseXftDpi(const char* resources) {
  if (!resources) return 0;
  static constexpr char kName[] = "Xft.dpi:";
  for (const char* line = resources; *line;) {
    if (std::strncmp(line, kName, sizeof kName - 1) == 0) {
      char* end = nullptr;
      const double value = std::strtod(line + sizeof kName - 1, &end);
      if (end == line + sizeof kName - 1 || value < 48 || value > 480) return 0;
      return static_cast<int>(std::lround(value));
    }
    const char* next = std::strchr(line, '\n');
    if (!next) break;
    line = next + 1;
  }
  return 0;
}


int DesktopResolution() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return kStandardResolution * OutputScale();
  const int dpi = ReadXftDpi();
  return dpi > 0 ? dpi : kStandardResolution;
}

}  // namespace platform::detail
