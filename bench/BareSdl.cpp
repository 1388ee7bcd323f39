// The floor for the game's memory and start-up: a bare SDL2 program, linked with the same
// libraries as the game, that opens a window of the game's size, fills it once and waits for
// the window to be closed.
//
//   quillet_bench_bare_sdl
#include <SDL.h>

#include <cstdio>
#include <cstring>

int main() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "quillet_bench_bare_sdl: %s\n", SDL_GetError());
    return 1;
  }
  // As the game does: on X11 the window surface is the shared-memory frame buffer itself, with no
  // OpenGL renderer behind it.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && std::strcmp(driver, "x11") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Window* window = SDL_CreateWindow("QUILLET benchmark, bare SDL", SDL_WINDOWPOS_UNDEFINED,
                                        SDL_WINDOWPOS_UNDEFINED, 212, 212, 0);
  SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
  if (!surface) {
    std::fprintf(stderr, "quillet_bench_bare_sdl: %s\n", SDL_GetError());
    return 1;
  }
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xC0, 0xC0, 0xC0));
  SDL_UpdateWindowSurface(window);
  SDL_Event event;
  while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
    if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_EXPOSED) {
      SDL_UpdateWindowSurface(window);
    }
  }
  SDL_Quit();
  return 0;
}
