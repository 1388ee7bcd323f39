// Which keys and mouse buttons are down, by Windows virtual-key code. Two copies are kept: the
// state as the backend's input events arrive, and the state as of the input message the program last took
// from the queue. IsKeyDown and TranslateMessage read the second, so Ctrl+A still makes ^A when
// the Ctrl release is already waiting behind it in the queue.
#pragma once
#include <bitset>

#include "platform/Platform.h"

namespace platform::detail {

// Messages carry the side-neutral code (VK_SHIFT) for a key that the state keeps per side.
int SideNeutral(int virtualKey);

class KeyState {
 public:
  void Set(int virtualKey, bool down);
  bool IsDown(int virtualKey) const;  // VK_SHIFT, VK_CONTROL, VK_MENU: either side
  bool Shift() const { return IsDown(VK_SHIFT); }
  bool Ctrl() const { return IsDown(VK_CONTROL); }
  bool Alt() const { return IsDown(VK_MENU); }
  // Alt without Ctrl is what makes a key a system key; Ctrl+Alt is AltGr and types normally.
  bool MenuAlt() const { return Alt() && !Ctrl(); }
  void ReleaseKeyboard();  // everything but the mouse buttons

 private:
  std::bitset<256> down_;
};

KeyState& ArrivedKeys();  // as the input events have reported them
KeyState& TakenKeys();    // as of the last input message taken

}  // namespace platform::detail
