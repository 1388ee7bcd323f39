// What the program takes next, and how it waits for it. Posted and input messages come first,
// then a paint for a window with a marked area, then a due timer. Waiting blocks in SDL until an
// event arrives or the earliest timer falls due: when nothing is running the process sleeps in
// the kernel with no wake-ups at all.
#include <SDL.h>

#include <algorithm>
#include <climits>

#include "platform/Clock.h"
#include "platform/EventTranslator.h"
#include "platform/MessageQueue.h"
#include "platform/Session.h"
#include "platform/TimerTable.h"
#include "platform/WindowRegistry.h"

namespace platform {
namespace {

using namespace detail;

bool MessageWaiting() {
  return !Queue().Empty() || Windows().FirstNeedingPaint() || Timers().AnyDue(Clock::NowMicros());
}

// Waits are whole milliseconds; rounding to the nearest one and taking a tick within half a
// millisecond of its deadline (TimerTable::kDueToleranceMicros) keeps ticks on their grid.
int MillisecondsUntil(std::uint64_t deadlineMicros) {
  const std::uint64_t now = Clock::NowMicros();
  if (deadlineMicros <= now) return 0;
  const std::uint64_t ms = (deadlineMicros - now + 500u) / 1'000u;
  return static_cast<int>(std::min<std::uint64_t>(ms, INT_MAX));
}

// False only when SDL cannot wait at all, so that a broken event queue does not become a spin.
bool WaitForEventOrDeadline() {
  const auto deadline = Timers().EarliestDeadline();
  SDL_Event event;
  const int received = deadline ? SDL_WaitEventTimeout(&event, MillisecondsUntil(*deadline)) : SDL_WaitEvent(&event);
  if (received) TranslateEvent(event);
  return received || deadline;
}

}  // namespace

bool PeekMessage(Message& message) {
  TranslatePendingEvents();
  if (auto queued = Queue().Take()) {
    message = *queued;
    return true;
  }
  if (WindowRecord* window = Windows().FirstNeedingPaint()) {
    message = {Msg::Paint, window->handle};
    return true;
  }
  if (auto tick = Timers().TakeDue(Clock::NowMicros())) {
    message = {Msg::Timer, tick->window, tick->id};
    return true;
  }
  return false;
}

void WaitMessage() {
  if (!Session::IsOpen()) return;
  TranslatePendingEvents();
  if (Session::IsHeadless()) {
    // Nothing outside a test can send an event here, so waiting means time passing: straight on
    // to the earliest deadline.
    if (MessageWaiting()) return;
    if (auto deadline = Timers().EarliestDeadline()) Clock::SetVirtualMillis((*deadline + 999u) / 1'000u);
    return;
  }
  // An event that makes no message (a window move, an unmapped key) just means waiting again.
  while (!MessageWaiting()) {
    if (!WaitForEventOrDeadline()) return;
  }
}

void PostMessage(const Message& message) { Queue().Post(message); }

void PostQuitMessage(int exitCode) { Queue().Post({Msg::Quit, 0, static_cast<std::uint32_t>(exitCode), 0}); }

}  // namespace platform
