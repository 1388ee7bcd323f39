// What a window manager or a screenshot tool sees of the program: its top-level windows, their
// titles, places and size hints, and the pixels on screen. Also the one message a window
// manager sends to close a window politely.
#pragma once
#include "e2e/XTypes.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "e2e/Image.h"

namespace e2e {

struct Placement {
  int left = 0, top = 0, width = 0, height = 0;  // the client area, on the root window
};

struct SizeLimits {
  bool hasMinimum = false, hasMaximum = false;
  int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
};

// Top-level windows that are on screen and carry this title (WM_NAME), oldest first.
std::vector<XWindow> VisibleWindowsTitled(XDisplay* display, const std::string& title);
std::optional<std::string> TitleOf(XDisplay* display, XWindow window);
// The process that says it owns the window (_NET_WM_PID).
std::optional<long> ProcessOf(XDisplay* display, XWindow window);
Placement PlacementOf(XDisplay* display, XWindow window);
SizeLimits SizeLimitsOf(XDisplay* display, XWindow window);
// The frame functions the window allows in its Motif hints (move 4, minimise 8, maximise 16,
// close 32, resize 2), or -1 when it sets none.
long MotifFunctionsOf(XDisplay* display, XWindow window);

// The first icon in the window's _NET_WM_ICON, as taskbars read it: pixels row by row, 0xAARRGGBB.
struct WindowIcon {
  int width = 0, height = 0;
  std::vector<std::uint32_t> argb;
};
std::optional<WindowIcon> IconOf(XDisplay* display, XWindow window);
// The names in a property that lists atoms (_NET_WM_WINDOW_TYPE, _NET_WM_STATE,
// _NET_WM_ALLOWED_ACTIONS), as xprop shows them.
std::vector<std::string> AtomsOf(XDisplay* display, XWindow window, const std::string& property);
XWindow TransientForOf(XDisplay* display, XWindow window);  // WM_TRANSIENT_FOR, or 0
// The client area grown by the window manager's frame (_NET_FRAME_EXTENTS): where the frame is.
Placement OuterPlacementOf(XDisplay* display, XWindow window);
// Asks for the window's outer corner at (left, top), as a user dragging it would.
void MoveWindow(XDisplay* display, XWindow window, int left, int top);

// What the screen shows in the window's client area (or part of it): other windows on top
// included, as a user would see it.
Image Screenshot(XDisplay* display, const Placement& area);
// Fills the window in `color` from this connection, over what its owner drew, then has the
// server send its owner an Expose, as when a window on top of it goes away.
void PaintOverAndExpose(XDisplay* display, XWindow window, platform::ColorRef color);

// A ClientMessage WM_PROTOCOLS / WM_DELETE_WINDOW, as a window manager sends for the close button.
void AskToClose(XDisplay* display, XWindow window);
// Destroys the window from this connection, not its owner's, as `xdotool windowclose` does.
void DestroyWindow(XDisplay* display, XWindow window);

// A modifier key and a key, pressed and released in the window by their key codes, as a
// keyboard sends them, with `modifierMask` (Mod1Mask 8, Mod5Mask 128) in the key's state. For a
// key that xdotool cannot reach by name, such as right Alt where the layout makes it AltGr.
void SendChord(XDisplay* display, XWindow window, unsigned modifierKeycode, unsigned modifierMask, unsigned keycode);
// The key pressed and released `times` times in the window, as fast as the server takes them.
void SendKeystrokes(XDisplay* display, XWindow window, unsigned keycode, int times);
// The presses of one key that reach a window, counted from the moment of watching: what its
// owner is sent, the server's auto-repeat included.
class KeyPresses {
 public:
  KeyPresses(XDisplay* display, XWindow window, unsigned keycode);
  int Count();

 private:
  XDisplay* display_;
  XWindow window_;
  unsigned keycode_;
  int count_ = 0;
};
// The key code that types this symbol ("q", "Alt_R") on the current layout, or 0.
unsigned KeycodeOf(XDisplay* display, const std::string& symbol);

// Gives the window the keyboard focus, so that keys from the (virtual) keyboard reach it.
void Focus(XDisplay* display, XWindow window);

// Sets the server's resource database (RESOURCE_MANAGER on the root window), as xrdb would;
// programs that connect afterwards read it.
void SetResources(XDisplay* display, const std::string& resources);

// Makes the server repeat held keys, after `delay` and then every `interval`, as `xset r on`
// and `xset r rate` would.
void SetKeyRepeat(XDisplay* display, std::chrono::milliseconds delay, std::chrono::milliseconds interval);

}  // namespace e2e
