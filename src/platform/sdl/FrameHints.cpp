// What the window manager may offer on the frame, and what kind of window it is. SDL gives a
// window that cannot be resized equal minimum and maximum sizes, but many window managers still
// draw a maximise button for it. The Motif hints, which window managers have read for decades,
// say exactly which buttons and functions the frame has: move, minimise (where allowed) and
// close, no resize, no maximise. An owned window is a modal dialog of its owner, so that the
// window manager keeps it over the owner, minimises them together and gives it no buttons of
// its own but close. There is nothing to do on Wayland, where the compositor decides from the
// size limits and the parent SDL gives the window.
#include "platform/sdl/FrameHints.h"

#include <SDL.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <initializer_list>
#include <vector>

#include "platform/sdl/X11Connection.h"

namespace platform::detail {
namespace {

// The layout of _MOTIF_WM_HINTS: five longs.
constexpr long kHintFunctions = 1, kHintDecorations = 2;
constexpr long kFunctionMove = 4, kFunctionMinimise = 8, kFunctionClose = 32;
constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimise = 32;

void SetAtoms(const X11Window& x, const char* property, std::initializer_list<const char*> names) {
  std::vector<Atom> atoms;
  for (const char* name : names) atoms.push_back(XInternAtom(x.display, name, False));
  XChangeProperty(x.display, x.window, XInternAtom(x.display, property, False), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
}

}  // namespace

void LimitFrame(SDL_Window* window, bool minimizable) {
  const X11Window x = X11WindowOf(window);
  if (!x) return;
  const long hints[5] = {
      kHintFunctions | kHintDecorations,
      kFunctionMove | kFunctionClose | (minimizable ? kFunctionMinimise : 0),
      kDecorBorder | kDecorTitle | kDecorMenu | (minimizable ? kDecorMinimise : 0),
      0, 0};
  const Atom motif = XInternAtom(x.display, "_MOTIF_WM_HINTS", False);
  XChangeProperty(x.display, x.window, motif, motif, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(hints), 5);
}

void MakeModalDialog(SDL_Window* window, SDL_Window* owner) {
  SDL_SetWindowModalFor(window, owner);  // transient for the owner, on X11 and Wayland alike
  const X11Window x = X11WindowOf(window), ownerX = X11WindowOf(owner);
  if (!x || !ownerX) return;
  // Set while the window is still unmapped, where the window manager reads them as it maps it.
  XSetTransientForHint(x.display, x.window, ownerX.window);
  SetAtoms(x, "_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DIALOG"});
  SetAtoms(x, "_NET_WM_STATE", {"_NET_WM_STATE_MODAL"});
  XFlush(x.display);
}

}  // namespace platform::detail
