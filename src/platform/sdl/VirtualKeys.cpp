#include "platform/sdl/VirtualKeys.h"

#include "platform/KeyState.h"

namespace platform::detail {
namespace {

int FromAsciiSymbol(SDL_Keycode sym) {
  if (sym >= 'a' && sym <= 'z') return sym - 'a' + 'A';
  if (sym >= '0' && sym <= '9') return sym;
  switch (sym) {
    case ';': return 0xBA;
    case '=': return 0xBB;
    case ',': return 0xBC;
    case '-': return VK_OEM_MINUS;
    case '.': return 0xBE;
    case '/': return 0xBF;
    case '`': return 0xC0;
    case '[': return VK_OEM_4;
    case '\\': return VK_OEM_5;
    case ']': return VK_OEM_6;
    case '\'': return 0xDE;
    default: return 0;
  }
}

int FromNamedKey(SDL_Keycode sym) {
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return VK_F1 + (sym - SDLK_F1);
  if (sym >= SDLK_F13 && sym <= SDLK_F24) return VK_F13 + (sym - SDLK_F13);
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return 0x61 + (sym - SDLK_KP_1);
  switch (sym) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: case SDLK_RETURN2: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_LSHIFT: return VK_LSHIFT;
    case SDLK_RSHIFT: return VK_RSHIFT;
    case SDLK_LCTRL: return VK_LCONTROL;
    case SDLK_RCTRL: return VK_RCONTROL;
    case SDLK_LALT: return VK_LMENU;
    case SDLK_RALT: return VK_RMENU;
    case SDLK_PAUSE: return 0x13;
    case SDLK_CAPSLOCK: return 0x14;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_PRINTSCREEN: return 0x2C;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    case SDLK_LGUI: return 0x5B;
    case SDLK_RGUI: return 0x5C;
    case SDLK_APPLICATION: return 0x5D;
    case SDLK_KP_0: return 0x60;
    case SDLK_KP_MULTIPLY: return 0x6A;
    case SDLK_KP_PLUS: return 0x6B;
    case SDLK_KP_MINUS: return 0x6D;
    case SDLK_KP_PERIOD: return 0x6E;
    case SDLK_KP_DIVIDE: return 0x6F;
    case SDLK_NUMLOCKCLEAR: return 0x90;
    case SDLK_SCROLLLOCK: return 0x91;
    default: return 0;
  }
}

// Where the layout's key types no letter or digit, its place on a US keyboard names it: the
// character that place types there.
int FromUsPlace(SDL_Scancode code) {
  if (code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
  if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
  switch (code) {
    case SDL_SCANCODE_0: return '0';
    case SDL_SCANCODE_SEMICOLON: return FromAsciiSymbol(';');
    case SDL_SCANCODE_EQUALS: return FromAsciiSymbol('=');
    case SDL_SCANCODE_COMMA: return FromAsciiSymbol(',');
    case SDL_SCANCODE_MINUS: return FromAsciiSymbol('-');
    case SDL_SCANCODE_PERIOD: return FromAsciiSymbol('.');
    case SDL_SCANCODE_SLASH: return FromAsciiSymbol('/');
    case SDL_SCANCODE_GRAVE: return FromAsciiSymbol('`');
    case SDL_SCANCODE_LEFTBRACKET: return FromAsciiSymbol('[');
    case SDL_SCANCODE_BACKSLASH: return FromAsciiSymbol('\\');
    case SDL_SCANCODE_RIGHTBRACKET: return FromAsciiSymbol(']');
    case SDL_SCANCODE_APOSTROPHE: return FromAsciiSymbol('\'');
    default: return 0;
  }
}

}  // namespace

int VirtualKeyOf(const SDL_Keysym& key) {
  if (int vk = FromAsciiSymbol(key.sym)) return vk;
  if (int vk = FromNamedKey(key.sym)) return vk;
  return FromUsPlace(key.scancode);
}

}  // namespace platform::detail
