// The desktop's clock: the time since boot, suspend included, as a tick counter should.
#include <time.h>

#include "platform/sdl/SystemCalls.h"

namespace platform::detail {

std::uint64_t BootMicros() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000u + static_cast<std::uint64_t>(now.tv_nsec) / 1'000u;
}

}  // namespace platform::detail
