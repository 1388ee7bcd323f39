// SDL keys to Windows virtual-key codes. Letters, digits and punctuation follow the symbol the
// layout gives the key, as Windows does; a key whose symbol is not ASCII on this layout falls back
// to its place on a US keyboard. Modifiers come back per side (VK_LSHIFT...).
#pragma once
#include <SDL.h>

namespace platform::detail {

int VirtualKeyOf(const SDL_Keysym& key);  // 0 for a key the program has no code for

}  // namespace platform::detail
