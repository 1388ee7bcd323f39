// Which calls a test has asked to fail, whichever backend's seam asks: the bookkeeping alone.
// Plans belong to the session that is open, or to the next one when none is: the end of a session
// (each backend's SessionEnded) forgets them.
#pragma once
#include <array>
#include <cstddef>

#include "platform/Testing.h"

namespace platform::detail {

class FailurePlans {
 public:
  void Plan(testing::Failure call, int skip, int count) { plans_[Index(call)] = {skip, count}; }
  void Forget() { plans_ = {}; }
  // True when this call of that kind is to fail; it then counts as one of the planned failures.
  bool Take(testing::Failure call) {
    Entry& plan = plans_[Index(call)];
    if (plan.count == 0) return false;
    if (plan.skip > 0) {
      --plan.skip;
      return false;
    }
    if (plan.count > 0) --plan.count;
    return true;
  }

 private:
  struct Entry {
    int skip = 0, count = 0;  // a negative count never runs out
  };
  static std::size_t Index(testing::Failure call) { return static_cast<std::size_t>(call); }
  std::array<Entry, static_cast<std::size_t>(testing::Failure::WindowSurface) + 1> plans_{};
};

inline FailurePlans& TestPlans() {
  static FailurePlans plans;
  return plans;
}

}  // namespace platform::detail
