#include "platform/web/Input.h"

#include <emscripten/emscripten.h>

#include <cstdint>

#include "platform/web/Windows.h"

// The oldest event the page holds, as [kind, window, a, b, c]; false when there is none.
EM_JS(bool, quillet_take_event, (int* out), {
  const event = QuilletPage.events.shift();
  if (!event) return false;
  for (let i = 0; i < 5; ++i) HEAP32[(out >> 2) + i] = event[i];
  if (event[0] === QuilletPage.STOP_BOX_CLOSED) QuilletPage.stopBoxOpen = false;
  return true;
});

EM_JS(bool, quillet_stop_box_open, (), { return QuilletPage.stopBoxOpen; });

EM_JS(void, quillet_listen, (int window), { QuilletPage.listen(window, QuilletPage.canvases[window]); });

namespace platform::detail {
namespace {

enum Kind : int { kKeyDown = 1, kKeyUp = 2, kChar = 3, kButtonDown = 4, kButtonUp = 5, kFocusLost = 6, kStopBoxClosed = 7 };

constexpr std::uint32_t kAltContext = 1u << 29;  // lParam: Alt was down
constexpr std::uint32_t kWasDown = 1u << 30;     // lParam: an auto-repeat, or a release
constexpr std::uint32_t kReleasing = 1u << 31;
constexpr std::uint32_t kOneStroke = 1;          // lParam: repeat count

// Keyboard input goes to the window it was typed into, unless that one is disabled.
WebWindow* InputTarget(int window) {
  WebWindow* target = Windows().Find(static_cast<WindowHandle>(window));
  return target && target->enabled ? target : nullptr;
}

void PostInput(WebWindow* target, Msg msg, std::uint32_t wParam, std::uint32_t lParam) {
  if (target) Queue().PostInput({msg, target->handle, wParam, lParam}, ArrivedKeys());
}

void TakeKey(int window, int vk, bool press, bool repeat) {
  KeyState& keys = ArrivedKeys();
  if (press) keys.Set(vk, true);  // Alt's own press is already a system key, its release still is
  const bool system = keys.MenuAlt();
  if (!press) keys.Set(vk, false);
  std::uint32_t lParam = kOneStroke | (keys.Alt() || system ? kAltContext : 0);
  if (!press) lParam |= kWasDown | kReleasing;
  else if (repeat) lParam |= kWasDown;
  const Msg msg = press ? (system ? Msg::SysKeyDown : Msg::KeyDown) : (system ? Msg::SysKeyUp : Msg::KeyUp);
  PostInput(InputTarget(window), msg, static_cast<std::uint32_t>(SideNeutral(vk)), lParam);
}

void TakeButton(int window, bool press, int x, int y) {
  ArrivedKeys().Set(VK_LBUTTON, press);
  WindowTable& windows = Windows();
  WebWindow* target = nullptr;
  if (press) {
    target = InputTarget(window);
    if (target) windows.capture = target->handle;
  } else {
    target = windows.Find(windows.capture);
    windows.capture = 0;
  }
  if (!target || !target->enabled) return;
  const auto lParam = static_cast<std::uint32_t>(x & 0xFFFF) | static_cast<std::uint32_t>(y & 0xFFFF) << 16;
  PostInput(target, press ? Msg::LButtonDown : Msg::LButtonUp, press ? 1u : 0u, lParam);
}

}  // namespace

void TakePageInput() {
  int event[5];
  while (quillet_take_event(event)) {
    const int window = event[1];
    switch (event[0]) {
      case kKeyDown: TakeKey(window, event[2], true, event[3] != 0); break;
      case kKeyUp: TakeKey(window, event[2], false, false); break;
      case kChar: {
        // A character typed with Alt (and not AltGr) is a system character, which no handler sees.
        const bool system = event[3] != 0;
        PostInput(InputTarget(window), system ? Msg::SysChar : Msg::Char, static_cast<std::uint32_t>(event[2] & 0xFF),
                  kOneStroke | (system ? kAltContext : 0));
        break;
      }
      case kButtonDown: TakeButton(window, true, event[2], event[3]); break;
      case kButtonUp: TakeButton(window, false, event[2], event[3]); break;
      case kFocusLost:
        // Keys released elsewhere never come back to the canvas: forget them rather than leave
        // Alt or Ctrl stuck down.
        ArrivedKeys().ReleaseKeyboard();
        if (Windows().active == static_cast<WindowHandle>(window)) Windows().active = 0;
        break;
      case kStopBoxClosed:
        // What comes after is input for the windows the box gave back, which are not enabled
        // again until the box's loop has ended: it stays with the page until then.
        return;
      default: break;
    }
  }
}

bool StopBoxOpen() { return quillet_stop_box_open(); }

void ListenTo(WindowHandle window) { quillet_listen(static_cast<int>(window)); }

}  // namespace platform::detail
