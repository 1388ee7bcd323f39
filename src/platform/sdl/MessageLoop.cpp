// SDL's side of the message loop: its events become messages, and waiting blocks on the X
// connection (elsewhere in SDL) until an event arrives or the earliest timer falls due: when
// nothing is running the process sleeps in the kernel with no wake-ups at all.
#include <SDL.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <optional>

#include "platform/MessageLoop.h"
#include "platform/sdl/EventTranslator.h"
#include "platform/Session.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/Windows.h"
#include "platform/sdl/X11Connection.h"

namespace platform {
namespace {

using namespace detail;

timespec FromMicros(std::uint64_t micros) {
  return {static_cast<time_t>(micros / 1'000'000u), static_cast<long>(micros % 1'000'000u * 1'000u)};
}

// SDL waits in whole milliseconds, which would make every tick late by up to one. So SDL waits
// for the whole milliseconds left, staying open to events, and the last fraction of a millisecond
// is slept precisely: ticks land within a few tens of microseconds of their grid points.
void SleepUntil(std::uint64_t deadlineMicros) {
  const timespec until = FromMicros(deadlineMicros);
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
  const std::uint64_t now = NowMicros();
  const std::uint64_t wholeMs = *deadline > now ? (*deadline - now) / 1'000u : 0;
  if (wholeMs == 0) {
    SleepUntil(*deadline);
  } else if (SDL_WaitEventTimeout(&event, static_cast<int>(std::min<std::uint64_t>(wholeMs, INT_MAX)))) {
    TranslateEvent(event);
  }
  return true;
}

// The kernel lets a poll's timeout run late by a thousandth of itself, 0.65 ms on the slowest
// ticks; a timer descriptor set to the deadline itself fires on it. Setting it again replaces
// whatever it had, fired or not, so it needs no reading.
class DeadlineTimer {
 public:
  DeadlineTimer() : fd_(timerfd_create(CLOCK_BOOTTIME, TFD_CLOEXEC | TFD_NONBLOCK)) {}
  ~DeadlineTimer() {
    if (fd_ >= 0) close(fd_);
  }
  DeadlineTimer(const DeadlineTimer&) = delete;
  DeadlineTimer& operator=(const DeadlineTimer&) = delete;

  // The descriptor that becomes readable at the deadline, or -1 when there is none to be had
  // (no descriptors left), in which case the wait falls back on its timeout.
  int SetTo(std::uint64_t deadlineMicros) const {
    const itimerspec at{{0, 0}, FromMicros(std::max<std::uint64_t>(deadlineMicros, 1))};
    return fd_ >= 0 && timerfd_settime(fd_, TFD_TIMER_ABSTIME, &at, nullptr) == 0 ? fd_ : -1;
  }

 private:
  int fd_;
};

// On X11 the wait is on the connection and the deadline timer, to the microsecond, in one sleep.
// SDL's own wait also announces each event it reads to itself through the X server: a second
// trip for every key. Nothing may read the connection between the last look at its queues and
// the wait, and a quit signal (which SDL turns into an event at its next pump) is held off until
// the wait, so that it ends the wait instead of waiting for the next event.
bool WaitOnX11(const X11Window& x, std::optional<std::uint64_t> deadline) {
  sigset_t quit, unblocked;
  sigemptyset(&quit);
  sigaddset(&quit, SIGINT);
  sigaddset(&quit, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &quit, &unblocked);
  bool waited = true;
  TranslatePendingEvents();
  if (!MessageWaiting() && NothingQueued(x)) {
    static const DeadlineTimer timer;
    pollfd readable[2] = {{x.connection, POLLIN, 0}, {deadline ? timer.SetTo(*deadline) : -1, POLLIN, 0}};
    timespec left{};
    const timespec* timeout = nullptr;
    if (deadline && readable[1].fd < 0) {
      const std::uint64_t now = NowMicros();
      left = FromMicros(*deadline > now ? *deadline - now : 0);
      timeout = &left;
    }
    waited = ppoll(readable, 2, timeout, &unblocked) >= 0 || errno == EINTR;
  }
  pthread_sigmask(SIG_SETMASK, &unblocked, nullptr);
  return waited || WaitInSdl(deadline);
}

bool WaitForEventOrDeadline(std::optional<std::uint64_t> deadline) {
  const SdlWindow* window = FirstOnScreen();
  if (const X11Window x = window ? X11WindowOf(window->sdl) : X11Window{}) return WaitOnX11(x, deadline);
  return WaitInSdl(deadline);
}

}  // namespace

void detail::TakeSystemInput() { TranslatePendingEvents(); }

// Each wait pumps SDL's events first itself. An event that makes no message (a window move, an
// unmapped key) just means waiting again.
void detail::AwaitEvents(std::optional<std::uint64_t> deadline) {
  if (!Session::IsOpen()) return;
  while (!MessageWaiting()) {
    if (!WaitForEventOrDeadline(deadline)) return;
  }
}

}  // namespace platform
