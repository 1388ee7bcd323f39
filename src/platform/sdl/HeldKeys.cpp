// Which keys are down on the X server, asked of the server itself: SDL knows only the keys it
// saw pressed while one of its windows had the focus.
#include <SDL.h>
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

#include "platform/sdl/HeldKeys.h"
#include "platform/sdl/X11Connection.h"


namespace platform::detail {

std::set<SDL_Keycode> KeysHeldNow(SDL_Window* window) {
  std::set<SDL_Keycode> held;
  const X11Window x = X11WindowOf(window);
  if (!x) return held;
  char keys[32] = {};
  XQueryKeymap(x.display, keys);
  for (int keycode = 8; keycode < 256; ++keycode) {
    if (!(keys[keycode / 8] & (1 << (keycode % 8)))) continue;
    const KeySym symbol = XkbKeycodeToKeysym(x.display, static_cast<KeyCode>(keycode), 0, 0);
    // SDL names keys as X does for letters, digits and function keys, the ones that type or act.
    const char* name = symbol == NoSymbol ? nullptr : XKeysymToString(symbol);
    const SDL_Keycode key = name ? SDL_GetKeyFromName(name) : SDLK_UNKNOWN;
    if (key != SDLK_UNKNOWN) held.insert(key);
  }
  return held;
}

}  // namespace platform::detail
