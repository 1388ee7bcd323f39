// The characters that keys make beyond SDL's text input, following the Windows US layout: Enter,
// Escape, Backspace and Tab, and the control codes of Ctrl chords.
#include <optional>

#include "platform/sdl/KeyState.h"
#include "platform/sdl/MessageQueue.h"

namespace platform {
namespace {

using namespace detail;

std::optional<std::uint32_t> CharOfKey(int vk, const KeyState& keys) {
  if (keys.Alt()) return std::nullopt;  // Ctrl+Alt chords make nothing on this layout
  const bool ctrl = keys.Ctrl(), shift = keys.Shift();
  // The layout's rows for these keys have no Ctrl+Shift column, so such chords type nothing.
  if (ctrl && shift && (vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_SPACE)) return std::nullopt;
  switch (vk) {
    case VK_RETURN: return ctrl ? 10 : 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return ctrl ? 127 : 8;
    case VK_TAB: return ctrl ? std::nullopt : std::optional<std::uint32_t>(9);
    case VK_SPACE: return ctrl ? std::optional<std::uint32_t>(' ') : std::nullopt;  // SDL types no text under Ctrl
    default: break;
  }
  if (!ctrl) return std::nullopt;
  if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 1;
  if (shift) {
    switch (vk) {
      case '2': return 0;
      case '6': return 30;
      case VK_OEM_MINUS: return 31;
      default: return std::nullopt;
    }
  }
  switch (vk) {
    case VK_OEM_4: return 27;
    case VK_OEM_5: return 28;
    case VK_OEM_6: return 29;
    default: return std::nullopt;
  }
}

}  // namespace

void TranslateMessage(const Message& message) {
  if (message.msg != Msg::KeyDown) return;
  if (auto code = CharOfKey(static_cast<int>(message.wParam), TakenKeys())) {
    // Next in line, so that it comes before the text of keys typed after this one.
    Queue().PostNext({Msg::Char, message.window, *code, message.lParam});
  }
}

bool IsKeyDown(int virtualKey) { return TakenKeys().IsDown(virtualKey); }

}  // namespace platform
