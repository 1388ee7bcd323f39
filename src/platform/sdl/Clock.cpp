#include "platform/sdl/Clock.h"

#include <time.h>

#include "platform/Platform.h"

namespace platform::detail {
namespace {

bool virtualClock = false;
std::uint64_t virtualMillis = 0;

std::uint64_t BootMicros() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000u + static_cast<std::uint64_t>(now.tv_nsec) / 1'000u;
}

}  // namespace

void Clock::UseVirtual(bool useVirtual) {
  virtualClock = useVirtual;
  virtualMillis = 0;
}

bool Clock::IsVirtual() { return virtualClock; }

std::uint64_t Clock::NowMicros() { return virtualClock ? virtualMillis * 1'000u : BootMicros(); }

void Clock::SetVirtualMillis(std::uint64_t ms) { virtualMillis = ms; }

}  // namespace platform::detail

namespace platform {

std::uint32_t GetTickCount() {
  return static_cast<std::uint32_t>(detail::Clock::NowMicros() / 1'000u);  // wraps every 49.7 days
}

}  // namespace platform
