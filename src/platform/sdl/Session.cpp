#include "platform/Session.h"

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/MessageLoop.h"
#include "platform/Platform.h"
#include "platform/sdl/DisplayOpening.h"
#include "platform/sdl/EventTranslator.h"
#include "platform/sdl/FontMapper.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/X11EventTap.h"
#include "platform/sdl/XErrorFilter.h"

namespace platform::detail {
namespace {

const std::string kNoDisplay = "No display: QUILLET needs a graphical session (X11 or Wayland)";

}  // namespace

void ChooseDesktopDriver() {
  // Left to itself SDL would also try drivers that take over a text console; the program
  // belongs in a desktop session, so only the sessions the environment names are tried (and
  // the Wayland library is not left to complain on stderr about a session that is not there).
  // SDL_VIDEODRIVER in the environment still wins.
  std::string drivers;
  if (std::getenv("DISPLAY")) drivers = "x11";
  if (std::getenv("WAYLAND_DISPLAY")) drivers += drivers.empty() ? "wayland" : ",wayland";
  if (drivers.empty() && !std::getenv("SDL_VIDEODRIVER")) throw PlatformError(kNoDisplay);
  SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
  // SDL talks to the session's D-Bus for the screen saver and input methods. Where there is no
  // session bus, libdbus would start one through dbus-launch: a fork of the whole program at
  // every start, and on some desktops a bus left running after it. There is nothing to ask
  // without one, so an address that connects nowhere says so. (Before the font thread starts:
  // the environment is not to change while another thread may read it.)
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
  InstallXErrorHandlers();
  PrepareFontMapper();  // beside opening the display, which waits on the X server or compositor
  const std::string refusal = WaylandRefusal();
  if (!refusal.empty()) throw PlatformError(kNoDisplay + " (" + refusal + ")");
}

}  // namespace platform::detail

namespace platform {

void Initialise() {
  using namespace detail;
  if (Session::IsOpen()) Shutdown();
  ChooseVideoDriver();
  // Closing the last window is the program's decision (a Close message), not an SDL_QUIT as well.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A typing game in a window has no reason to hold off the screen saver.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (StartVideo() != 0) {
    const std::string reason = SDL_GetError();
    SDL_Quit();
    throw PlatformError(kNoDisplay + (reason.empty() ? std::string() : " (" + reason + ")"));
  }
  // On X11 the window surface is the frame buffer itself (shared memory), not a texture that SDL
  // would upload through OpenGL: no GL driver or its threads for a window of labels. Wayland has
  // no such frame buffer; there SDL has to go through a renderer, or the window never appears.
  const char* driver = SDL_GetCurrentVideoDriver();
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, driver && std::string(driver) == "x11" ? "0" : "1");
  // Only clicks matter; motion would wake the idle program for nothing.
  SDL_EventState(SDL_MOUSEMOTION, SDL_IGNORE);
  SDL_StartTextInput();
  Session::SetOpen(true);
}

void Shutdown() {
  using namespace detail;
  if (!Session::IsOpen()) return;
  ForgetSessionState();
  ForgetKeyboardHistory();
  ForgetX11Tap();
  SDL_StopTextInput();
  SDL_Quit();
  Session::SetOpen(false);
  SessionEnded();
}

int LogicalResolution() { return detail::Session::IsOpen() ? detail::DesktopPixelsPerInch() : 96; }

}  // namespace platform
