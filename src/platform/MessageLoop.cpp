#include "platform/MessageLoop.h"

#include "platform/KeyCharacters.h"
#include "platform/KeyState.h"
#include "platform/MessageQueue.h"
#include "platform/TimerTable.h"
#include "platform/WindowTable.h"

namespace platform {
namespace detail {

bool StartGrantedTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  if (!Windows().Find(window)) return false;
  Timers().Set(window, id, periodMs, NowMicros());
  return true;
}

bool MessageWaiting() {
  return !Queue().Empty() || Windows().FirstNeedingPaint() || Timers().AnyDue(NowMicros());
}

void ForgetSessionState() {
  Windows().Clear();
  Queue().Clear();
  Timers().Clear();
  ArrivedKeys() = KeyState{};
  TakenKeys() = KeyState{};
}

}  // namespace detail

using namespace detail;

bool PeekMessage(Message& message) {
  TakeSystemInput();
  if (auto queued = Queue().Take()) {
    message = *queued;
    return true;
  }
  if (const WindowBase* window = Windows().FirstNeedingPaint()) {
    message = {Msg::Paint, window->handle};
    return true;
  }
  if (auto tick = Timers().TakeDue(NowMicros())) {
    message = {Msg::Timer, tick->window, tick->id};
    return true;
  }
  return false;
}

// As Windows' WaitMessage, it may return at input that brings no message (a key the program has
// no code for, a window moved): the caller just looks again.
void WaitMessage() {
  if (!MessageWaiting()) AwaitInput(Timers().EarliestDeadline());
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

bool SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) { return StartTimer(window, id, periodMs); }

void KillTimer(WindowHandle window, std::uint32_t id) { Timers().Kill(window, id); }

std::uint32_t GetTickCount() { return static_cast<std::uint32_t>(NowMicros() / 1'000u); }  // wraps every 49.7 days

}  // namespace platform
