// Whether the platform is up, and on which video driver.
#pragma once
#include <SDL_keycode.h>

#include <set>

struct SDL_Window;
struct _XDisplay;  // Xlib's Display

namespace platform::detail {

class Session {
 public:
  static bool IsOpen();
  static bool IsHeadless();
  static void RequireOpen();  // throws PlatformError before Initialise
  static unsigned Ended();    // how many sessions have been shut down
  // The pixels per inch fonts are sized for, read from the desktop once a session; 0 until then.
  static int& Resolution();
};

// The display's pixels per inch from the X resource "Xft.dpi" (the setting desktops scale fonts
// by), or 0 when the text names none or an implausible one.
int ParseXftDpi(const char* resources);
int DesktopResolution();  // the display's own; 96 when the desktop says nothing
// Pixels per point of a window on a scaled Wayland output (whole steps); 1 everywhere else.
int OutputScale();
// Keeps a harmless X error at shutdown from ending a closed program with exit code 1, and ends
// the program with a line of its own when the X server goes away.
void InstallXErrorHandlers();
// Ends the program with its own line on stderr and exit code 1: the display has gone.
[[noreturn]] void EndForLostDisplay();
// Whether a quit request came from the Wayland connection breaking.
bool DisplayLost(SDL_Window* window);
// A window's X11 side, its connection and X window; empty off X11.
struct X11Window {
  _XDisplay* display = nullptr;
  unsigned long window = 0;  // Xlib's Window
  int connection = -1;       // the connection's socket, to wait on
  explicit operator bool() const { return display != nullptr; }
};
X11Window X11WindowOf(SDL_Window* window);
// Whether waiting on the connection's socket can miss nothing: all that was asked of the server
// is sent, and no event waits in Xlib's or XCB's queue.
bool NothingQueued(const X11Window& x);
// Tells the window manager the frame has no resizing and no maximise, and minimise only if allowed.
void LimitFrame(SDL_Window* window, bool minimizable);
// The keys down on the X server at this moment, as SDL names them; none elsewhere.
std::set<SDL_Keycode> KeysHeldNow(SDL_Window* window);
// Tells the window manager the window is a modal dialog of its owner, kept above it.
void MakeModalDialog(SDL_Window* window, SDL_Window* owner);

}  // namespace platform::detail
