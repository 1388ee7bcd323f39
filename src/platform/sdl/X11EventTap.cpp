// Events as Xlib reads them off the X connection, before SDL sees any of them.
//
// Another program can destroy the game's window (xdotool windowclose, a confused window
// manager). SDL takes no notice of the DestroyNotify; the program then either dies in Xlib's
// default error handler at its next request on the window, or goes on for ever with no window at
// all. Here the DestroyNotify of a window the program has not destroyed itself ends it at once,
// with a line of its own.
//
// This works through XESetWireToEvent, Xlib's hook for converting events off the wire, which an
// extension may set for core events too: it runs whoever reads the connection, SDL included.
#include "platform/sdl/X11EventTap.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

#include "platform/sdl/DisplayLost.h"
#include "platform/sdl/X11Connection.h"

// Xlib's header for extensions, which declares the hook, defines min and max as macros: last.
#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#undef min
#undef max

namespace platform::detail {
namespace {

using Converter = Bool (*)(Display*, XEvent*, xEvent*);

struct Tap {
  Converter xlib[LASTEvent] = {};   // Xlib's own conversions, which the hooks call first
  std::vector<Window> live;          // the program's windows that it has not destroyed itself
};

Tap& State() {
  static Tap tap;
  return tap;
}

bool IsLive(Window window) {
  const auto& live = State().live;
  return std::find(live.begin(), live.end(), window) != live.end();
}

Bool NoticeDestruction(Display* display, XEvent* event, xEvent* wire) {
  const Bool queued = State().xlib[DestroyNotify](display, event, wire);
  // Only async-signal-safe calls from here on: Xlib is in the middle of reading.
  if (queued && IsLive(event->xdestroywindow.window)) EndForDestroyedWindow();
  return queued;
}

// Xlib hands back the hook that was there: the first time on a connection, its own conversion.
void Hook(Display* display) {
  Tap& tap = State();
  const auto hook = [&](int type, Converter ours) {
    const Converter previous = XESetWireToEvent(display, type, ours);
    if (previous != ours) tap.xlib[type] = previous;
  };
  hook(DestroyNotify, NoticeDestruction);
}

}  // namespace

void TapX11Events(SDL_Window* window) {
  const X11Window x = X11WindowOf(window);
  if (!x) return;
  Hook(x.display);
  State().live.push_back(x.window);
}

void ReleaseX11Window(SDL_Window* window) {
  const X11Window x = X11WindowOf(window);
  auto& live = State().live;
  if (x) live.erase(std::remove(live.begin(), live.end(), x.window), live.end());
}

bool IsLiveX11Window(unsigned long window) { return IsLive(window); }

// The hooks stay on the connection until SDL closes it, and go on calling Xlib's conversions.
void ForgetX11Tap() { State().live.clear(); }

}  // namespace platform::detail
