// The page's side of the message loop: what the page has noticed becomes messages, and waiting
// hands the browser back its thread (the program is suspended through Asyncify) until the page
// notices input or the earliest timer falls due: an idle game costs the page nothing at all.
#include <emscripten/emscripten.h>

#include "platform/MessageLoop.h"
#include "platform/web/Input.h"
#include "platform/Session.h"

// Resolves when the page has input for the program, or at `deadline` (page milliseconds; none
// when negative). A browser that throttles a hidden tab's timers makes that later: the ticks that
// fell due meanwhile then merge into one, as they do for a busy program.
EM_ASYNC_JS(void, quillet_wait, (double deadline), {
  await new Promise((resolve) => {
    if (QuilletPage.events.length > 0) return resolve();
    let timer = 0;
    QuilletPage.wake = () => {
      clearTimeout(timer);
      resolve();
    };
    if (deadline >= 0) {
      timer = setTimeout(() => {
        QuilletPage.wake = null;
        resolve();
      }, Math.max(0, Math.ceil(deadline - performance.now())));
    }
  });
});

namespace platform::detail {

void AwaitPage(double deadline) { quillet_wait(deadline); }

void TakeSystemInput() { TakePageInput(); }

// Returns at whatever wakes the page for the program: the stop box closing, say, brings no message.
void AwaitInput(std::optional<std::uint64_t> deadlineMicros) {
  if (Session::IsOpen()) AwaitPage(deadlineMicros ? static_cast<double>(*deadlineMicros) / 1000.0 : -1.0);
}

// Milliseconds since the page started, to the microsecond.
std::uint64_t NowMicros() { return static_cast<std::uint64_t>(emscripten_get_now() * 1000.0); }

}  // namespace platform::detail
