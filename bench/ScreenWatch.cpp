#include "bench/ScreenWatch.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <stdexcept>

namespace bench {
namespace {

KeyCode KeyFor(Display* display, char c) {
  const char name[2] = {c, '\0'};
  const KeySym symbol = XStringToKeysym(name);
  const KeyCode code = symbol == NoSymbol ? 0 : XKeysymToKeycode(display, symbol);
  if (code == 0) throw std::runtime_error(std::string("the test server's keyboard has no key for '") + c + "'");
  return code;
}

}  // namespace

ScreenWatch::ScreenWatch(const std::string& displayName) : display_(XOpenDisplay(displayName.c_str())) {
  if (!display_) throw std::runtime_error("cannot connect to " + displayName);
  int errorBase = 0, major = 0, minor = 0;
  if (!XDamageQueryExtension(display_, &damageEventBase_, &errorBase)) {
    XCloseDisplay(display_);
    throw std::runtime_error("the X server has no DAMAGE extension");
  }
  int eventBase = 0;
  if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
    XCloseDisplay(display_);
    throw std::runtime_error("the X server has no XTEST extension");
  }
  // Damage on the root covers every window on it; raw rectangles come one event each, with no
  // need to acknowledge them before the next is reported.
  damage_ = XDamageCreate(display_, DefaultRootWindow(display_), XDamageReportRawRectangles);
  XSync(display_, False);
}

ScreenWatch::~ScreenWatch() {
  XDamageDestroy(display_, damage_);
  XCloseDisplay(display_);
}

bool ScreenWatch::WaitForDamage(Time until) {
  while (true) {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == damageEventBase_ + XDamageNotify) {
        arrived_ = Clock::now();
        return true;
      }
    }
    const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now()).count();
    if (left < 0) return false;
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left) + 1);
  }
}

std::optional<Frame> ScreenWatch::NextFrame(milliseconds timeout) {
  if (!WaitForDamage(Clock::now() + timeout)) return std::nullopt;
  Frame frame{arrived_, arrived_};
  while (WaitForDamage(frame.last + kFrameGap)) frame.last = arrived_;
  // The server keeps the damaged area until told otherwise; nothing here needs it.
  XDamageSubtract(display_, damage_, 0, 0);
  return frame;
}

std::optional<Time> ScreenWatch::Settle(milliseconds quiet, milliseconds limit) {
  const Time end = Clock::now() + limit;
  std::optional<Time> last;
  while (Clock::now() < end) {
    const auto frame = NextFrame(quiet);
    if (!frame) break;
    last = frame->last;
  }
  return last;
}

void ScreenWatch::Forget() {
  XSync(display_, False);
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
  }
  XDamageSubtract(display_, damage_, 0, 0);
}

Time ScreenWatch::Press(char c) {
  XTestFakeKeyEvent(display_, KeyFor(display_, c), True, CurrentTime);
  const Time sent = Clock::now();
  XFlush(display_);
  return sent;
}

void ScreenWatch::Release(char c) {
  XTestFakeKeyEvent(display_, KeyFor(display_, c), False, CurrentTime);
  XFlush(display_);
}

}  // namespace bench
