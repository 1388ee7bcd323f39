// The desktop's font scaling. On X11 it is the resource "Xft.dpi" that desktop environments set
// when the user scales text. SDL does not expose X resources, but it has already loaded libX11,
// so the two functions needed are looked up there rather than linked: the program keeps running
// on Wayland and on machines without Xlib's development files. Anything else means 96.
#include <SDL.h>
#include <dlfcn.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/Session.h"

namespace platform::detail {
namespace {

constexpr int kStandardResolution = 96;

int ReadXftDpi() {
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!xlib) return 0;
  using OpenDisplay = void* (*)(const char*);
  using ResourceString = char* (*)(void*);
  using CloseDisplay = int (*)(void*);
  auto openDisplay = reinterpret_cast<OpenDisplay>(dlsym(xlib, "XOpenDisplay"));
  auto resourceString = reinterpret_cast<ResourceString>(dlsym(xlib, "XResourceManagerString"));
  auto closeDisplay = reinterpret_cast<CloseDisplay>(dlsym(xlib, "XCloseDisplay"));
  int dpi = 0;
  if (openDisplay && resourceString && closeDisplay) {
    if (void* display = openDisplay(nullptr)) {
      dpi = ParseXftDpi(resourceString(display));
      closeDisplay(display);
    }
  }
  dlclose(xlib);
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
  if (!driver || std::strcmp(driver, "x11") != 0) return kStandardResolution;
  const int dpi = ReadXftDpi();
  return dpi > 0 ? dpi : kStandardResolution;
}

}  // namespace platform::detail
