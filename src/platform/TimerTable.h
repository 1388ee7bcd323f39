// Periodic timers keyed by window and id. Deadlines lie on an absolute grid that starts one
// period after SetTimer, so a tick handled late does not push the later ones back; ticks that
// fell due while the program was busy are delivered as one, and the grid goes on from there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Platform.h"

namespace platform::detail {

class TimerTable {
 public:
  // Timer periods are clamped as Windows does: below 10 ms a timer would flood the
  // queue, and 0 would never move its deadline at all.
  static constexpr std::uint32_t kShortestPeriodMs = 10;
  static constexpr std::uint32_t kLongestPeriodMs = 0x7FFFFFFF;

  struct Tick { WindowHandle window; std::uint32_t id; };

  void Set(WindowHandle window, std::uint32_t id, std::uint32_t periodMs, std::uint64_t nowMicros);
  void Kill(WindowHandle window, std::uint32_t id);
  void KillAllOf(WindowHandle window);
  void Clear();
  std::size_t Count() const { return timers_.size(); }

  bool AnyDue(std::uint64_t nowMicros) const;
  std::optional<Tick> TakeDue(std::uint64_t nowMicros);  // the earliest due timer, moved on
  std::optional<std::uint64_t> EarliestDeadline() const;  // in microseconds

 private:
  struct Timer {
    WindowHandle window;
    std::uint32_t id;
    std::uint64_t periodMicros;
    std::uint64_t deadlineMicros;
  };
  std::size_t EarliestIndex() const;  // timers_.size() when none runs

  std::vector<Timer> timers_;  // in the order they were set, which breaks ties between deadlines
};

TimerTable& Timers();

}  // namespace platform::detail
