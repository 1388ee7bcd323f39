// The message loop on the system's own queue. PeekMessage hands the component layer the
// messages it handles (keys, characters, ticks, paints, the left button) and dispatches the rest
// to the system's default handling itself, so that Alt+F4, Alt+Space and the frame work as in
// any Windows program.
#include <deque>
#include <exception>
#include <utility>

#include "platform/win32/SystemCalls.h"

namespace platform {
namespace {

struct QueueState {
  std::deque<Message> pending;  // delivered to the window procedure with no handler to take them
  MessageHandler handler = nullptr;
  std::exception_ptr failure;   // thrown by a handler inside a system call, rethrown after it
  wchar_t highSurrogate = 0;
};

QueueState& Queue() {
  static QueueState state;
  return state;
}

bool IsForComponents(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: case WM_KEYUP: case WM_TIMER: case WM_PAINT:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP:
      return true;
    default:
      return false;
  }
}

void RethrowFailure() {
  if (std::exception_ptr failure = std::exchange(Queue().failure, nullptr)) std::rethrow_exception(failure);
}

}  // namespace

namespace win32 {

void QueueCharacter(WindowHandle window, wchar_t unit) {
  QueueState& queue = Queue();
  std::wstring character;
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    queue.highSurrogate = unit;  // the rest of the character comes with the next message
    return;
  }
  if (unit >= 0xDC00 && unit <= 0xDFFF) {
    if (queue.highSurrogate) character = {queue.highSurrogate, unit};
    queue.highSurrogate = 0;
    if (character.empty()) return;
  } else {
    queue.highSurrogate = 0;  // a lead unit with no trail is dropped, not paired with a later one
    character = {unit};
  }
  for (const char byte : win32::Narrow(character)) {
    queue.pending.push_back({Msg::Char, window, static_cast<unsigned char>(byte), 0});
  }
}

void Deliver(const Message& message) {
  QueueState& queue = Queue();
  if (!queue.handler) {
    queue.pending.push_back(message);
    return;
  }
  // Nothing may unwind through the system's code between it and us.
  try {
    queue.handler(message);
  } catch (...) {
    if (!queue.failure) queue.failure = std::current_exception();
  }
}

}  // namespace win32

void SetMessageHandler(MessageHandler handler) { Queue().handler = handler; }

bool PeekMessage(Message& message) {
  QueueState& queue = Queue();
  // A failure inside a loop of the system's own (its message box, a drag) is reported first.
  RethrowFailure();
  for (;;) {
    if (!queue.pending.empty()) {
      message = queue.pending.front();
      queue.pending.pop_front();
      return true;
    }
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
      message = {Msg::Quit, 0, static_cast<std::uint32_t>(msg.wParam), 0};
      return true;
    }
    const WindowHandle window = win32::FromHwnd(msg.hwnd);
    if (window && msg.message == WM_CHAR) {
      win32::QueueCharacter(window, static_cast<wchar_t>(msg.wParam));
      continue;
    }
    if (window && IsForComponents(msg.message)) {
      // The window takes the mouse while the left button is held down over it.
      if (msg.message == WM_LBUTTONDOWN) SetCapture(msg.hwnd);
      if (msg.message == WM_LBUTTONUP && ::GetCapture() == msg.hwnd) ::ReleaseCapture();
      message = {static_cast<Msg>(msg.message), window, static_cast<std::uint32_t>(msg.wParam),
                 static_cast<std::uint32_t>(msg.lParam)};
      return true;
    }
    ::TranslateMessage(&msg);
    DispatchMessageW(&msg);
    RethrowFailure();
  }
}

void WaitMessage() {
  if (Queue().pending.empty()) ::WaitMessage();
}

void PostQuitMessage(int exitCode) { ::PostQuitMessage(exitCode); }

void TranslateMessage(const Message& message) {
  const HWND hwnd = win32::ToHwnd(message.window);
  if (!hwnd) return;
  MSG msg{hwnd, static_cast<UINT>(message.msg), message.wParam, static_cast<LPARAM>(message.lParam), 0, {}};
  ::TranslateMessage(&msg);
}

bool SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  const HWND hwnd = win32::ToHwnd(window);
  return hwnd && win32::StartTimer(hwnd, id, periodMs);
}

void KillTimer(WindowHandle window, std::uint32_t id) {
  if (const HWND hwnd = win32::ToHwnd(window)) ::KillTimer(hwnd, id);
}

bool IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

std::uint32_t GetTickCount() { return ::GetTickCount(); }

}  // namespace platform
