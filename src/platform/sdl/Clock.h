// The one clock behind GetTickCount and the timers. On the desktop it is the time since boot
// (suspend included, as a tick counter should); headless it is a virtual clock that only tests
// move, so nothing in a test ever depends on how fast the machine runs.
#pragma once
#include <cstdint>

namespace platform::detail {

class Clock {
 public:
  static void UseVirtual(bool useVirtual);  // the virtual clock restarts at 0 ms
  static bool IsVirtual();
  static std::uint64_t NowMicros();
  static void SetVirtualMillis(std::uint64_t ms);
};

}  // namespace platform::detail
