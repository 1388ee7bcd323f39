// Waiting for the program without sleeping blindly: look again every 20 ms until the condition
// holds or the deadline passes. The caller says what it waited for when it did not come.
#pragma once
#include <chrono>
#include <thread>

namespace e2e {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

inline constexpr milliseconds kPollInterval{20};
inline constexpr milliseconds kScreenDeadline{3000};  // for a picture the program is about to paint

// True as soon as `condition()` is; false if it never was before `timeout` ran out. The
// condition is always tried once more at the deadline, so a slow last poll cannot lose it.
template <typename Condition>
bool WaitUntil(Condition&& condition, milliseconds timeout = kScreenDeadline) {
  const auto deadline = Clock::now() + timeout;
  while (true) {
    if (condition()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace e2e
