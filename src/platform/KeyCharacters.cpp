#include "platform/KeyCharacters.h"

namespace platform::detail {

std::optional<std::uint32_t> CharacterOfKey(int vk, const KeyState& keys) {
  if (keys.Alt()) return std::nullopt;  // Ctrl+Alt chords make nothing on this layout
  const bool ctrl = keys.Ctrl(), shift = keys.Shift();
  // The layout's rows for these keys have no Ctrl+Shift column, so such chords type nothing.
  if (ctrl && shift && (vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_BACK || vk == VK_SPACE)) return std::nullopt;
  switch (vk) {
    case VK_RETURN: return ctrl ? 10 : 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return ctrl ? 127 : 8;
    case VK_TAB: return ctrl ? std::nullopt : std::optional<std::uint32_t>(9);
    case VK_SPACE: return ctrl ? std::optional<std::uint32_t>(' ') : std::nullopt;  // no layout types text under Ctrl
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

}  // namespace platform::detail
