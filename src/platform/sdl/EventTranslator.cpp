#include "platform/sdl/EventTranslator.h"

#include <cstdint>
#include <set>
#include <string>

#include "platform/KeyMessages.h"
#include "platform/KeyState.h"
#include "platform/MessageQueue.h"
#include "platform/sdl/CodePage.h"
#include "platform/sdl/DisplayLost.h"
#include "platform/Session.h"
#include "platform/sdl/VirtualKeys.h"
#include "platform/sdl/Windows.h"
#include "platform/sdl/HeldKeys.h"
#include "platform/sdl/X11EventTap.h"

namespace platform::detail {
namespace {

// Keyboard input goes to the window SDL names, or else to the active one. What is meant for a
// disabled window is dropped when it is taken from the queue.
SdlWindow* InputTarget(std::uint32_t sdlWindowId) {
  SdlWindow* target = FindBySdlId(sdlWindowId);
  return target ? target : FindWindow(Windows().active);
}

// Keys that were already down when a window gained the focus were pressed for some other window
// (Alt+F4 closing the previous one, say). The X server's auto-repeat of such a key would look to
// SDL like a fresh press; it counts as held, and makes no messages until it is released.
std::set<SDL_Keycode> heldBeforeFocus;
SDL_Scancode lastPressed = SDL_SCANCODE_UNKNOWN;  // the key whose text comes next

// SDL reports AltGr as right Alt. Windows makes right Alt Ctrl+Alt on layouts that have AltGr,
// so that it types; on others it stays Alt, and Alt chords type nothing. Here the layout shows
// which it is by the text: right Alt that turns the key into another character ("@" from Q on a
// German layout) is AltGr; right Alt that leaves the key's own character ("q" on a US layout) is
// Alt.
bool TypedWithAltGr(const char* text, const KeyState& keys) {
  if (!keys.IsDown(VK_RMENU) || keys.IsDown(VK_LMENU)) return false;
  const SDL_Keycode own = SDL_GetKeyFromScancode(lastPressed);
  if (own <= 0 || (own & SDLK_SCANCODE_MASK)) return true;
  const auto plain = static_cast<char32_t>(own);
  const char32_t upper = plain >= U'a' && plain <= U'z' ? plain - U'a' + U'A' : plain;
  return text != ToUtf8(std::u32string(1, plain)) && text != ToUtf8(std::u32string(1, upper));
}

void TranslateKey(const SDL_KeyboardEvent& key) {
  const int vk = VirtualKeyOf(key.keysym);
  if (vk == 0) return;
  KeyState& keys = ArrivedKeys();
  const bool press = key.type == SDL_KEYDOWN;
  if (heldBeforeFocus.count(key.keysym.sym) != 0) {
    keys.Set(vk, press);
    if (press) return;
    heldBeforeFocus.erase(key.keysym.sym);
  }
  if (press) lastPressed = key.keysym.scancode;
  SdlWindow* target = InputTarget(key.windowID);
  const Message message = KeyMessage(target ? target->handle : 0, vk, press, key.repeat != 0);
  if (!target) return;
  PostInput(message);
  // Alt+F4 closes the window. A window manager usually takes it first; without one (a bare X
  // server) the window does it itself, as Windows' default handling does.
  if (message.msg == Msg::SysKeyDown && !key.repeat && vk == VK_F4) Queue().Post({Msg::Close, target->handle});
}

void TranslateText(const SDL_TextInputEvent& text) {
  const KeyState& keys = ArrivedKeys();
  // SDL still types the key's symbol under Ctrl (Ctrl+1 gives "1"); the control codes that Ctrl
  // chords make come from TranslateMessage instead, so the text is left out.
  if (keys.Ctrl() && !keys.Alt()) return;
  const bool system = keys.MenuAlt() && !TypedWithAltGr(text.text, keys);
  const SdlWindow* target = InputTarget(text.windowID);
  if (!target) return;
  for (unsigned char byte : EncodeAnsi(text.text)) PostInput(CharacterMessage(target->handle, byte, system));
}

void TranslateMouseButton(const SDL_MouseButtonEvent& button) {
  if (button.button != SDL_BUTTON_LEFT) return;
  const bool press = button.type == SDL_MOUSEBUTTONDOWN;
  ArrivedKeys().Set(VK_LBUTTON, press);
  WindowTable& windows = Windows();
  SdlWindow* target = nullptr;
  if (press) {
    target = FindBySdlId(button.windowID);
    if (target && target->enabled) windows.capture = target->handle;
  } else {
    target = FindWindow(windows.capture);
    if (!target) target = FindBySdlId(button.windowID);
    windows.capture = 0;
  }
  if (!target) return;
  const auto x = static_cast<std::uint16_t>(button.x), y = static_cast<std::uint16_t>(button.y);
  PostInput({press ? Msg::LButtonDown : Msg::LButtonUp, target->handle, press ? 1u : 0u, x | std::uint32_t{y} << 16});
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  SdlWindow* window = FindBySdlId(event.windowID);
  if (!window) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      // A disabled window cannot be closed: the game window waits for its error box.
      if (window->enabled) Queue().Post({Msg::Close, window->handle});
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window->InvalidateAll();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      Windows().active = window->handle;
      heldBeforeFocus = KeysHeldNow(window->sdl);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      // Keys released in another window never come back to us; forget them rather than leave
      // Alt or Ctrl stuck down. SDL reports the keys still held when the focus returns.
      ArrivedKeys().ReleaseKeyboard();
      if (Windows().active == window->handle) Windows().active = 0;
      break;
    default:
      break;
  }
}

}  // namespace

void ForgetKeyboardHistory() {
  heldBeforeFocus.clear();
  lastPressed = SDL_SCANCODE_UNKNOWN;
}

void TranslateEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_QUIT:  // a signal or the session ending: the same as closing the main window
      if (SdlWindow* first = FirstOnScreen()) {
        if (DisplayLost(first->sdl)) EndForLostDisplay();
        Queue().Post({Msg::Close, first->handle});
      }
      break;
    case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key); break;
    case SDL_TEXTINPUT: TranslateText(event.text); break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateMouseButton(event.button); break;
    default: break;
  }
}

void TranslatePendingEvents() {
  if (!Session::IsOpen()) return;
  // Input held back from SDL on X11 goes on a batch at a time, and only once no message waits:
  // a backlog is taken in step with the program, and what is not input, a close request, gets
  // through at the next pump instead of behind all of it.
  do {
    SDL_PumpEvents();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) TranslateEvent(event);
  } while (Queue().Empty() && FeedHeldInput());
}

}  // namespace platform::detail
