#include "platform/InjectedFailures.h"

#include <SDL.h>

#include <array>

#include "platform/MessageQueue.h"
#include "platform/TimerTable.h"
#include "platform/WindowRegistry.h"

namespace platform::detail {
namespace {

struct Plan {
  int skip = 0, count = 0;  // a negative count never runs out
};
constexpr std::size_t kKinds = static_cast<std::size_t>(testing::Failure::WindowSurface) + 1;
std::array<Plan, kKinds> plans;

}  // namespace

bool Refused(testing::Failure call) {
  Plan& plan = plans[static_cast<std::size_t>(call)];
  if (plan.count == 0) return false;
  if (plan.skip > 0) {
    --plan.skip;
    return false;
  }
  if (plan.count > 0) --plan.count;
  SDL_SetError("refused by a test");
  return true;
}

void ForgetInjectedFailures() { plans = {}; }

}  // namespace platform::detail

namespace platform {

void testing::InjectFailure(Failure call, int skip, int count) {
  detail::plans[static_cast<std::size_t>(call)] = {skip, count};
}

testing::Bookkeeping testing::Counts() {
  return {detail::Timers().Count(), detail::Windows().Count(), detail::Queue().Size(), detail::OpenFontCount()};
}

}  // namespace platform
