// SDL events become window messages here, in the order they arrived.
#pragma once
#include <SDL.h>

namespace platform::detail {

void TranslateEvent(const SDL_Event& event);
void TranslatePendingEvents();  // everything SDL has now, without blocking
void ForgetKeyboardHistory();   // what a new session must not inherit from the last

}  // namespace platform::detail
