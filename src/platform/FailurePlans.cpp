#include "platform/FailurePlans.h"

#include <array>
#include <cstddef>

namespace platform::detail {
namespace {

struct Plan {
  int skip = 0, count = 0;  // a negative count never runs out
};
constexpr std::size_t kKinds = static_cast<std::size_t>(testing::Failure::WindowSurface) + 1;
std::array<Plan, kKinds> plans;

}  // namespace

bool TakeInjectedFailure(testing::Failure call) {
  Plan& plan = plans[static_cast<std::size_t>(call)];
  if (plan.count == 0) return false;
  if (plan.skip > 0) {
    --plan.skip;
    return false;
  }
  if (plan.count > 0) --plan.count;
  return true;
}

void ForgetInjectedFailures() { plans = {}; }

}  // namespace platform::detail

void platform::testing::InjectFailure(Failure call, int skip, int count) {
  detail::plans[static_cast<std::size_t>(call)] = {skip, count};
}
