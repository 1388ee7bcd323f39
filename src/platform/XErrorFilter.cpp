// SDL wakes its own event wait by sending a message to one of the program's windows over a
// second X connection. When the program closes that window just then (it ends on a close request
// that arrived during the wait), the X server may destroy the window first and answer the message
// with BadWindow. The error surfaces as SDL closes that connection at shutdown, after SDL has put
// back the error handler it found at start, which by default ends the process with exit code 1:
// a close that should end with 0. A wake-up for a window that is gone has nothing left to wake,
// so that one error is dropped and every other goes on to Xlib's handler. The filter is put in
// place before SDL starts, so that it is the handler SDL finds and puts back.
#include <dlfcn.h>

#include "platform/Session.h"

namespace platform::detail {
namespace {

// Xlib's XErrorEvent, whose layout is part of Xlib's binary interface. Xlib itself is not a
// dependency of the program: SDL loads it at run time, when there is an X server to talk to.
struct XErrorEventLayout {
  int type;
  void* display;
  unsigned long resourceid;
  unsigned long serial;
  unsigned char error_code;
  unsigned char request_code;
  unsigned char minor_code;
};
using ErrorHandler = int (*)(void* display, XErrorEventLayout* error);

constexpr unsigned char kBadWindow = 3;
constexpr unsigned char kSendEventRequest = 25;

ErrorHandler xlibHandler = nullptr;

int DropLateWakeUps(void* display, XErrorEventLayout* error) {
  if (error->error_code == kBadWindow && error->request_code == kSendEventRequest) return 0;
  return xlibHandler ? xlibHandler(display, error) : 0;
}

}  // namespace

void FilterLateWakeUpErrors() {
  static bool installed = false;
  if (installed) return;
  void* xlib = dlopen("libX11.so.6", RTLD_LAZY);  // kept loaded: the filter lives in it
  if (!xlib) return;                              // no Xlib, no X11 driver, nothing to filter
  using SetErrorHandler = ErrorHandler (*)(ErrorHandler);
  if (auto set = reinterpret_cast<SetErrorHandler>(dlsym(xlib, "XSetErrorHandler"))) {
    xlibHandler = set(DropLateWakeUps);
    installed = true;
  }
}

}  // namespace platform::detail
