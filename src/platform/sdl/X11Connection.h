// A window's X11 side, for what SDL does not do itself: waiting on the connection, asking the
// window manager for a frame, reading the keyboard.
#pragma once

struct SDL_Window;
struct _XDisplay;  // Xlib's Display

namespace platform::detail {

// A window's connection and X window; empty off X11.
struct X11Window {
  _XDisplay* display = nullptr;
  unsigned long window = 0;  // Xlib's Window
  int connection = -1;       // the connection's socket, to wait on
  explicit operator bool() const { return display != nullptr; }
};
X11Window X11WindowOf(SDL_Window* window);
// Whether waiting on the connection's socket can miss nothing: all that was asked of the server
// is sent, and no event waits in Xlib's or XCB's queue, nor held input.
bool NothingQueued(const X11Window& x);

}  // namespace platform::detail
