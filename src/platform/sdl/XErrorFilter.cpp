// Xlib's error handlers, put in place before SDL starts so that they are the ones SDL finds and
// puts back at shutdown.
//
// SDL wakes its own event wait by sending a message to one of the program's windows over a
// second X connection (the program waits in SDL on X11 only when it cannot wait on the
// connection itself). When the program closes that window just then (it ends on a close request
// that arrived during the wait), the X server may destroy the window first and answer the message
// with BadWindow. The error surfaces as SDL closes that connection at shutdown, where Xlib's
// default handler would end the process with exit code 1: a close that should end with 0. A
// wake-up for a window that is gone has nothing left to wake, so that one error is dropped and
// every other goes on to Xlib's handler.
//
// A lost connection cannot be survived: Xlib exits after its handler returns.
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include "platform/sdl/DisplayLost.h"
#include "platform/sdl/X11EventTap.h"
#include "platform/sdl/XErrorFilter.h"


namespace platform::detail {
namespace {

XErrorHandler xlibHandler = nullptr;

int DropLateWakeUps(Display* display, XErrorEvent* error) {
  // A window of the program that is gone, and not by its doing, was destroyed by another program.
  const bool noSuchWindow = error->error_code == BadWindow || error->error_code == BadDrawable;
  if (noSuchWindow && IsLiveX11Window(error->resourceid)) EndForDestroyedWindow();
  if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
  return xlibHandler ? xlibHandler(display, error) : 0;
}

int ReportLostDisplay(Display*) { EndForLostDisplay(); }

}  // namespace

void InstallXErrorHandlers() {
  static bool installed = false;
  if (installed) return;
  xlibHandler = XSetErrorHandler(DropLateWakeUps);
  XSetIOErrorHandler(ReportLostDisplay);
  installed = true;
}

}  // namespace platform::detail
