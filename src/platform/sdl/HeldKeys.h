#pragma once
#include <SDL_keycode.h>

#include <set>

struct SDL_Window;

namespace platform::detail {

// The keys down on the X server at this moment, as SDL names them; none elsewhere.
std::set<SDL_Keycode> KeysHeldNow(SDL_Window* window);

}  // namespace platform::detail
