// What the program takes next, and how it waits for it. Posted and input messages come first,
// then a paint for a window with a marked area, then a due timer. Waiting hands the browser back
// its thread (the program is suspended through Asyncify) until the page notices input or the
// earliest timer falls due: an idle game costs the page nothing at all.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <optional>

#include "platform/KeyCharacters.h"
#include "platform/TimerTable.h"
#include "platform/web/Input.h"
#include "platform/web/Session.h"
#include "platform/web/SystemCalls.h"
#include "platform/web/Windows.h"

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

EM_JS(bool, quillet_input_waiting, (), { return QuilletPage.events.length > 0; });

namespace platform {
namespace {

using namespace detail;

std::uint64_t NowMicros() { return static_cast<std::uint64_t>(NowMillis() * 1000.0); }

bool MessageWaiting() {
  return !Queue().Empty() || Windows().FirstNeedingPaint() || Timers().AnyDue(NowMicros()) || quillet_input_waiting();
}

}  // namespace

void detail::AwaitPage(double deadline) { quillet_wait(deadline); }

void detail::ForgetTimersOf(WindowHandle window) { Timers().KillAllOf(window); }

void detail::ForgetAllTimers() { Timers().Clear(); }

bool PeekMessage(Message& message) {
  TakePageInput();
  if (auto queued = Queue().Take()) {
    message = *queued;
    return true;
  }
  if (WebWindow* window = Windows().FirstNeedingPaint()) {
    message = {Msg::Paint, window->handle};
    return true;
  }
  if (auto tick = Timers().TakeDue(NowMicros())) {
    message = {Msg::Timer, tick->window, tick->id};
    return true;
  }
  return false;
}

// Returns at whatever wakes the page for the program, as Windows' WaitMessage returns at any new
// input: a wake-up that brings no message (a key the program has no code for, the stop box
// closing, a timer fired a little early) just means looking again.
void WaitMessage() {
  if (!Session::IsOpen() || MessageWaiting()) return;
  const auto deadline = Timers().EarliestDeadline();
  AwaitPage(deadline ? static_cast<double>(*deadline) / 1000.0 : -1.0);
}

void PostQuitMessage(int exitCode) { Queue().Post({Msg::Quit, 0, static_cast<std::uint32_t>(exitCode), 0}); }

void TranslateMessage(const Message& message) {
  if (message.msg != Msg::KeyDown) return;
  if (auto code = CharacterOfKey(static_cast<int>(message.wParam), TakenKeys())) {
    // Next in line, so that it comes before the text of keys typed after this one.
    Queue().PostNext({Msg::Char, message.window, *code, message.lParam});
  }
}

bool IsKeyDown(int virtualKey) { return TakenKeys().IsDown(virtualKey); }

bool detail::StartGrantedTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  if (!Windows().Find(window)) return false;
  Timers().Set(window, id, periodMs, NowMicros());
  return true;
}

bool SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) { return StartTimer(window, id, periodMs); }

void KillTimer(WindowHandle window, std::uint32_t id) { Timers().Kill(window, id); }

}  // namespace platform
