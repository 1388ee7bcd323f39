#include "platform/InjectedFailures.h"

#include <SDL.h>

#include "platform/MessageQueue.h"
#include "platform/TimerTable.h"
#include "platform/WindowRegistry.h"

namespace platform::detail {

bool Refused(testing::Failure call) {
  if (!TakeInjectedFailure(call)) return false;
  SDL_SetError("refused by a test");
  return true;
}

}  // namespace platform::detail

namespace platform {

testing::Bookkeeping testing::Counts() {
  return {detail::Timers().Count(), detail::Windows().Count(), detail::Queue().Size(), detail::OpenFontCount()};
}

}  // namespace platform
