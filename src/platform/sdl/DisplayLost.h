#pragma once

struct SDL_Window;

namespace platform::detail {

// Ends the program with its own line on stderr and exit code 1: the display has gone.
[[noreturn]] void EndForLostDisplay();
// Ends the program with its own line on stderr and exit code 1: another program destroyed one
// of its windows.
[[noreturn]] void EndForDestroyedWindow();
// Whether a quit request came from the Wayland connection breaking.
bool DisplayLost(SDL_Window* window);

}  // namespace platform::detail
