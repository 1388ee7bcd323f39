#include "platform/KeyState.h"

namespace platform::detail {

int SideNeutral(int virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
    case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
    case VK_LMENU: case VK_RMENU: return VK_MENU;
    default: return virtualKey;
  }
}

void KeyState::Set(int virtualKey, bool down) {
  if (virtualKey > 0 && virtualKey < 256) down_.set(static_cast<std::size_t>(virtualKey), down);
}

bool KeyState::IsDown(int virtualKey) const {
  switch (virtualKey) {
    case VK_SHIFT: return down_[VK_LSHIFT] || down_[VK_RSHIFT];
    case VK_CONTROL: return down_[VK_LCONTROL] || down_[VK_RCONTROL];
    case VK_MENU: return down_[VK_LMENU] || down_[VK_RMENU];
    default: return virtualKey > 0 && virtualKey < 256 && down_[static_cast<std::size_t>(virtualKey)];
  }
}

void KeyState::ReleaseKeyboard() {
  const bool mouse = down_[VK_LBUTTON];
  down_.reset();
  down_[VK_LBUTTON] = mouse;
}

KeyState& ArrivedKeys() {
  static KeyState keys;
  return keys;
}

KeyState& TakenKeys() {
  static KeyState keys;
  return keys;
}

}  // namespace platform::detail
