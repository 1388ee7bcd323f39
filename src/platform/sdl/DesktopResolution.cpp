// The desktop's font scaling. On X11 it is the resource "Xft.dpi" that desktop environments set
// when the user scales text; on Wayland it is the output's scale, 96 dpi for each step. Anything
// else means 96.
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

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
  XrmInitialize();
  const XrmDatabase database = XrmGetStringDatabase(resources);
  if (!database) return 0;
  char* type = nullptr;
  XrmValue found{}, underAnyProgram{};
  double value = 0;
  char* end = nullptr;
  // The resource itself, not a pattern such as "*Xft.dpi": a pattern would be found under any
  // program's name as well, as the very same entry.
  const bool loose = XrmGetResource(database, "quillet.Xft.dpi", "Quillet.Xft.dpi", &type, &underAnyProgram);
  if (XrmGetResource(database, "Xft.dpi", "Xft.dpi", &type, &found) && found.addr &&
      !(loose && underAnyProgram.addr == found.addr)) {
    const std::string text(found.addr, found.size > 0 ? found.size - 1 : 0);  // the size counts the zero
    value = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) value = 0;
  }
  XrmDestroyDatabase(database);
  if (value < 48 || value > 480) return 0;
  return static_cast<int>(std::lround(value));
}


int DesktopResolution() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return kStandardResolution * OutputScale();
  const int dpi = ReadXftDpi();
  return dpi > 0 ? dpi : kStandardResolution;
}

}  // namespace platform::detail
