// Timers on the desktop's clock, over the shared timer grid.
#include "platform/TimerTable.h"

#include "platform/sdl/Clock.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/WindowRegistry.h"

namespace platform::detail {

bool StartGrantedTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  if (!Windows().Find(window)) return false;
  Timers().Set(window, id, periodMs, Clock::NowMicros());
  return true;
}

}  // namespace platform::detail

namespace platform {

bool SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  return detail::StartTimer(window, id, periodMs);
}

void KillTimer(WindowHandle window, std::uint32_t id) { detail::Timers().Kill(window, id); }

}  // namespace platform
