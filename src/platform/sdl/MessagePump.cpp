// What the program takes next, and how it waits for it. Posted and input messages come first,
// then a paint for a window with a marked area, then a due timer. Waiting blocks on the X
// connection (elsewhere in SDL) until an event arrives or the earliest timer falls due: when
// nothing is running the process sleeps in the kernel with no wake-ups at all.
#include <SDL.h>
#include <poll.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>

#include "platform/sdl/Clock.h"
#include "platform/sdl/EventTranslator.h"
#include "platform/sdl/MessageQueue.h"
#include "platform/sdl/Session.h"
#include "platform/sdl/TimerTable.h"
#include "platform/sdl/WindowRegistry.h"

namespace platform {
namespace {

using namespace detail;

bool MessageWaiting() {
  return !Queue().Empty() || Windows().FirstNeedingPaint() || Timers().AnyDue(Clock::NowMicros());
}

// SDL waits in whole milliseconds, which would make every tick late by up to one. So SDL waits
// for the whole milliseconds left, staying open to events, and the last fraction of a millisecond
// is slept precisely: ticks land within a few tens of microseconds of their grid points.
void SleepUntil(std::uint64_t deadlineMicros) {
  const timespec until{static_cast<time_t>(deadlineMicros / 1'000'000u),
                       static_cast<long>(deadlineMicros % 1'000'000u * 1'000u)};
  while (clock_nanosleep(CLOCK_BOOTTIME, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

// False only when SDL cannot wait at all, so that a broken event queue does not become a spin.
bool WaitInSdl(std::optional<std::uint64_t> deadline) {
  SDL_Event event;
  if (!deadline) {
    if (!SDL_WaitEvent(&event)) return false;
    TranslateEvent(event);
    return true;
  }
  const std::uint64_t now = Clock::NowMicros();
  const std::uint64_t wholeMs = *deadline > now ? (*deadline - now) / 1'000u : 0;
  if (wholeMs == 0) {
    SleepUntil(*deadline);
  } else if (SDL_WaitEventTimeout(&event, static_cast<int>(std::min<std::uint64_t>(wholeMs, INT_MAX)))) {
    TranslateEvent(event);
  }
  return true;
}

// On X11 the wait is on the connection itself, to the microsecond, in one sleep. SDL's own wait
// also announces each event it reads to itself through the X server: a second trip for every
// key. Nothing may read the connection between the last look at its queues and the wait.
bool WaitOnX11(const X11Window& x, std::optional<std::uint64_t> deadline) {
  SDL_PumpEvents();
  SDL_Event event;
  if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    TranslateEvent(event);
    return true;
  }
  if (!NothingQueued(x)) return true;  // pumped on the next round
  timespec left{};
  if (deadline) {
    const std::uint64_t now = Clock::NowMicros();
    const std::uint64_t micros = *deadline > now ? *deadline - now : 0;
    left = {static_cast<time_t>(micros / 1'000'000u), static_cast<long>(micros % 1'000'000u * 1'000u)};
  }
  pollfd readable{x.connection, POLLIN, 0};
  if (ppoll(&readable, 1, deadline ? &left : nullptr, nullptr) < 0 && errno != EINTR) return WaitInSdl(deadline);
  return true;
}

bool WaitForEventOrDeadline() {
  const auto deadline = Timers().EarliestDeadline();
  const WindowRecord* window = Windows().FirstOnScreen();
  if (const X11Window x = window ? X11WindowOf(window->sdl) : X11Window{}) return WaitOnX11(x, deadline);
  return WaitInSdl(deadline);
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
