// What the program does with X events as Xlib reads them, before SDL (see X11EventTap.cpp).
#pragma once

struct SDL_Window;

namespace platform::detail {

// A window is the program's own from its creation until ReleaseX11Window, just before the
// program destroys it: another program destroying it meanwhile ends this one.
void TapX11Events(SDL_Window* window);
void ReleaseX11Window(SDL_Window* window);
bool IsLiveX11Window(unsigned long window);
// Input held back from SDL, which FeedHeldInput hands it a few events at a time, in order;
// false when there is none.
bool FeedHeldInput();
bool InputHeld();
void ForgetX11Tap();  // for a new session

}  // namespace platform::detail
