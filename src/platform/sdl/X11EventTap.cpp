// Events as Xlib reads them off the X connection, before SDL sees any of them.
//
// Another program can destroy the game's window (xdotool windowclose, a confused window
// manager). SDL takes no notice of the DestroyNotify; the program then either dies in Xlib's
// default error handler at its next request on the window, or goes on for ever with no window at
// all. Here the DestroyNotify of a window the program has not destroyed itself ends it at once,
// with a line of its own.
//
// Input is held back here and handed to SDL a few events at a time. On every key release SDL looks
// through Xlib's whole event queue for the press an auto-repeat would bring with it, so a backlog
// of keys (the program was stopped, or a flood of input) drained in quadratic time: 20,000 keys
// took two seconds. And SDL took the whole backlog into its own queue at once, which holds 65,535
// events: behind 40,000 keys it dropped the rest, a close request among it. With input held here
// Xlib's queue stays short, SDL's too, and a backlog drains in linear time. Everything that is not
// input, the window manager's close request among it, goes on to SDL at once, as a Windows program
// gets its close before the input waiting in its queue; input keeps its order among itself (keys,
// clicks and the focus moving). SDL waits for a window's MapNotify and UnmapNotify inside Xlib,
// which is why only input is held.
//
// Both work through XESetWireToEvent, Xlib's hook for converting events off the wire, which an
// extension may set for core events too: it runs whoever reads the connection, SDL included.
#include "platform/sdl/X11EventTap.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <deque>
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

// The events that are input, kept in the order they came; XEvent itself is twice the size.
union HeldEvent {
  XAnyEvent any;
  XKeyEvent key;
  XButtonEvent button;
  XFocusChangeEvent focus;
  XKeymapEvent keymap;
};
constexpr int kInput[] = {KeyPress, KeyRelease, ButtonPress, ButtonRelease, FocusIn, FocusOut, KeymapNotify};
// Enough to keep SDL's look through Xlib's queue short, few enough that a message comes soon.
constexpr std::size_t kBatch = 32;

struct Tap {
  Display* display = nullptr;
  Converter xlib[LASTEvent] = {};   // Xlib's own conversions, which the hooks call first
  std::vector<Window> live;          // the program's windows that it has not destroyed itself
  std::deque<HeldEvent> held;
};

Tap& State() {
  static Tap tap;
  return tap;
}

bool IsLive(Window window) {
  const auto& live = State().live;
  return std::find(live.begin(), live.end(), window) != live.end();
}

Bool HoldInput(Display* display, XEvent* event, xEvent* wire) {
  Tap& tap = State();
  const Bool queued = tap.xlib[wire->u.u.type & 0x7F](display, event, wire);
  if (!queued || display != tap.display) return queued;  // a connection of a session that has ended
  HeldEvent held;
  std::memcpy(&held, event, sizeof held);
  tap.held.push_back(held);
  return False;  // not queued: Xlib's way of letting a hook keep an event
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
  for (const int type : kInput) hook(type, HoldInput);
  hook(DestroyNotify, NoticeDestruction);
  tap.display = display;
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

bool InputHeld() { return !State().held.empty(); }

// The hooks stay on the connection until SDL closes it, and go on calling Xlib's conversions.
void ForgetX11Tap() {
  Tap& tap = State();
  tap.display = nullptr;
  tap.live.clear();
  tap.held.clear();
}

bool FeedHeldInput() {
  Tap& tap = State();
  if (!tap.display || tap.held.empty()) return false;
  std::size_t count = std::min(tap.held.size(), kBatch);
  // SDL tells an auto-repeat from a release by the press that follows it, so a release goes
  // with the event after it, read first if it has not been.
  if (tap.held[count - 1].any.type == KeyRelease) {
    if (count == tap.held.size()) XEventsQueued(tap.display, QueuedAfterReading);
    count = std::min(tap.held.size(), count + 1);
  }
  // Each goes to the front of Xlib's queue, so the last goes back first.
  for (std::size_t i = count; i-- > 0;) {
    XEvent event{};
    std::memcpy(&event, &tap.held[i], sizeof tap.held[i]);
    XPutBackEvent(tap.display, &event);
  }
  tap.held.erase(tap.held.begin(), tap.held.begin() + static_cast<std::ptrdiff_t>(count));
  return true;
}

}  // namespace platform::detail
