#include "platform/web/Input.h"

#include <emscripten/emscripten.h>

#include <cstdint>

#include "platform/KeyMessages.h"
#include "platform/KeyState.h"
#include "platform/Platform.h"
#include "platform/web/Session.h"
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

enum Kind : int {
  kKeyDown = 1, kKeyUp = 2, kChar = 3, kButtonDown = 4, kButtonUp = 5, kFocusLost = 6, kStopBoxClosed = 7, kRatioChanged = 8
};

// Every window on the page hears of a new ratio, as each on a desktop hears of a new resolution.
void TakeRatio() {
  if (!FollowPixelRatio()) return;
  const auto resolution = static_cast<std::uint32_t>(LogicalResolution());
  Windows().ForEach<WebWindow>([resolution](const WebWindow& window) {
    if (window.onScreen) PostInput({Msg::DpiChanged, window.handle, resolution, 0});
  });
}

// Keyboard input goes to the window it was typed into, unless that one is disabled.
WebWindow* InputTarget(int window) {
  WebWindow* target = FindWindow(static_cast<WindowHandle>(window));
  return target && target->enabled ? target : nullptr;
}

void TakeKey(int window, int vk, bool press, bool repeat) {
  const WebWindow* target = InputTarget(window);
  const Message message = KeyMessage(target ? target->handle : 0, vk, press, repeat);
  if (target) PostInput(message);
}

void TakeButton(int window, bool press, int x, int y) {
  ArrivedKeys().Set(VK_LBUTTON, press);
  WindowTable& windows = Windows();
  WebWindow* target = nullptr;
  if (press) {
    target = InputTarget(window);
    if (target) windows.capture = target->handle;
  } else {
    target = FindWindow(windows.capture);
    windows.capture = 0;
  }
  if (!target || !target->enabled) return;
  const auto lParam = static_cast<std::uint32_t>(x & 0xFFFF) | static_cast<std::uint32_t>(y & 0xFFFF) << 16;
  PostInput({press ? Msg::LButtonDown : Msg::LButtonUp, target->handle, press ? 1u : 0u, lParam});
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
        if (const WebWindow* target = InputTarget(window)) {
          PostInput(CharacterMessage(target->handle, static_cast<unsigned char>(event[2] & 0xFF), event[3] != 0));
        }
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
      case kRatioChanged: TakeRatio(); break;
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
