#include "platform/sdl/InjectedFailures.h"

#include <SDL.h>

#include "platform/sdl/MessageQueue.h"
#include "platform/sdl/TimerTable.h"
#include "platform/sdl/WindowRegistry.h"

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
