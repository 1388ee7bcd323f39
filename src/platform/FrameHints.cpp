// What the window manager may offer on the frame. SDL gives a window that cannot be resized
// equal minimum and maximum sizes, but many window managers still draw a maximise button for
// it. The Motif hints, which window managers have read for decades, say exactly which buttons
// and functions the frame has: move, minimise (where allowed) and close, no resize, no maximise.
// Xlib is looked up in the copy SDL has loaded, as elsewhere in the platform: there is nothing to
// do on Wayland, where the compositor decides from the size limits alone.
#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>

#include "platform/Session.h"

namespace platform::detail {
namespace {

// The layout of _MOTIF_WM_HINTS: five longs.
constexpr long kHintFunctions = 1, kHintDecorations = 2;
constexpr long kFunctionMove = 4, kFunctionMinimise = 8, kFunctionClose = 32;
constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimise = 32;

}  // namespace

void LimitFrame(SDL_Window* window, bool minimizable) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
  if (!xlib) return;
  using InternAtom = Atom (*)(Display*, const char*, Bool);
  using ChangeProperty = int (*)(Display*, Window, Atom, Atom, int, int, const unsigned char*, int);
  auto internAtom = reinterpret_cast<InternAtom>(dlsym(xlib, "XInternAtom"));
  auto changeProperty = reinterpret_cast<ChangeProperty>(dlsym(xlib, "XChangeProperty"));
  if (internAtom && changeProperty) {
    const long hints[5] = {
        kHintFunctions | kHintDecorations,
        kFunctionMove | kFunctionClose | (minimizable ? kFunctionMinimise : 0),
        kDecorBorder | kDecorTitle | kDecorMenu | (minimizable ? kDecorMinimise : 0),
        0, 0};
    const Atom motif = internAtom(info.info.x11.display, "_MOTIF_WM_HINTS", False);
    changeProperty(info.info.x11.display, info.info.x11.window, motif, motif, 32, PropModeReplace,
                   reinterpret_cast<const unsigned char*>(hints), 5);
  }
  dlclose(xlib);
}

}  // namespace platform::detail
