#pragma once

struct SDL_Window;

namespace platform::detail {

// Tells the window manager the frame has no resizing and no maximise, and minimise only if allowed.
void LimitFrame(SDL_Window* window, bool minimizable);
// Tells the window manager the window is a modal dialog of its owner, kept above it.
void MakeModalDialog(SDL_Window* window, SDL_Window* owner);

}  // namespace platform::detail
