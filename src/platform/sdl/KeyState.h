// Which keys and mouse buttons are down, by Windows virtual-key code. Two copies are kept: the
// state as the SDL events arrive, and the state as of the input message the program last took
// from the queue. IsKeyDown and TranslateMessage read the second, so Ctrl+A still makes ^A when
// the Ctrl release is already waiting behind it in the queue.
#pragma once
#include <bitset>

namespace platform::detail {

enum VirtualKey : int {
  VK_LBUTTON = 0x01, VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
  VK_CONTROL = 0x11, VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
  VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3, VK_LMENU = 0xA4, VK_RMENU = 0xA5,
  VK_OEM_MINUS = 0xBD, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD,
};

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

KeyState& ArrivedKeys();  // as SDL has reported them
KeyState& TakenKeys();    // as of the last input message taken

}  // namespace platform::detail
