#include "platform/TimerTable.h"

#include <algorithm>

namespace platform::detail {

void TimerTable::Set(WindowHandle window, std::uint32_t id, std::uint32_t periodMs, std::uint64_t nowMicros) {
  Kill(window, id);
  const std::uint64_t period = std::uint64_t{std::clamp(periodMs, kShortestPeriodMs, kLongestPeriodMs)} * 1'000u;
  timers_.push_back({window, id, period, nowMicros + period});
}

void TimerTable::Kill(WindowHandle window, std::uint32_t id) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window && t.id == id; });
}

void TimerTable::KillAllOf(WindowHandle window) {
  std::erase_if(timers_, [&](const Timer& t) { return t.window == window; });
}

void TimerTable::Clear() { timers_.clear(); }

std::size_t TimerTable::EarliestIndex() const {
  std::size_t earliest = timers_.size();
  for (std::size_t i = 0; i < timers_.size(); ++i) {
    if (earliest == timers_.size() || timers_[i].deadlineMicros < timers_[earliest].deadlineMicros) earliest = i;
  }
  return earliest;
}

bool TimerTable::AnyDue(std::uint64_t nowMicros) const {
  const std::size_t earliest = EarliestIndex();
  return earliest < timers_.size() && timers_[earliest].deadlineMicros <= nowMicros;
}

std::optional<TimerTable::Tick> TimerTable::TakeDue(std::uint64_t nowMicros) {
  if (!AnyDue(nowMicros)) return std::nullopt;
  Timer& due = timers_[EarliestIndex()];
  due.deadlineMicros += due.periodMicros;
  if (due.deadlineMicros <= nowMicros) {
    // Busy past one or more grid points: those ticks are merged into this one.
    const std::uint64_t missed = (nowMicros - due.deadlineMicros) / due.periodMicros + 1;
    due.deadlineMicros += missed * due.periodMicros;
  }
  return Tick{due.window, due.id};
}

std::optional<std::uint64_t> TimerTable::EarliestDeadline() const {
  const std::size_t earliest = EarliestIndex();
  if (earliest == timers_.size()) return std::nullopt;
  return timers_[earliest].deadlineMicros;
}

TimerTable& Timers() {
  static TimerTable table;
  return table;
}

}  // namespace platform::detail
