// The benchmark's eyes and fingers on the X server: every rectangle any client draws, seen
// through DAMAGE on the root window with the moment it arrived, and keys typed through XTEST as
// if from the keyboard. Nothing here asks the measured program anything.
#pragma once
#include <chrono>
#include <optional>
#include <string>

#include "e2e/XTypes.h"

namespace bench {

using Clock = std::chrono::steady_clock;
using Time = Clock::time_point;
using std::chrono::milliseconds;

// One repaint as the screen shows it: SDL and Xlib send a frame's rectangles together, so they
// arrive within microseconds; a gap of this long means the frame is complete.
inline constexpr milliseconds kFrameGap{8};

struct Frame {
  Time first, last;  // when its first and its last damaged rectangle reached us
};

class ScreenWatch {
 public:
  explicit ScreenWatch(const std::string& displayName);  // throws without DAMAGE or XTEST
  ~ScreenWatch();
  ScreenWatch(const ScreenWatch&) = delete;
  ScreenWatch& operator=(const ScreenWatch&) = delete;

  // The next frame drawn on screen, or nothing if none starts within `timeout`.
  std::optional<Frame> NextFrame(milliseconds timeout);
  // Waits until nothing has been drawn for `quiet`; the end of the last frame seen, if any.
  std::optional<Time> Settle(milliseconds quiet, milliseconds limit);
  // Drops what was drawn until now, so that the next wait sees only what comes after.
  void Forget();
  // Presses (and then releases) the key that types `c`; returns when the press left for the server.
  Time Press(char c);
  void Release(char c);

 private:
  bool WaitForDamage(Time until);  // true when a damaged rectangle arrived before `until`

  e2e::XDisplay* display_ = nullptr;
  unsigned long damage_ = 0;
  int damageEventBase_ = 0;
  Time arrived_{};
};

}  // namespace bench
