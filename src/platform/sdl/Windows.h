// An SDL backend window: the shared record and what SDL gives it. A message window has no SDL
// window at all.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <memory>

#include "platform/WindowTable.h"
#include "platform/sdl/PixelFrameBuffer.h"

namespace platform::detail {

struct SdlWindow : WindowBase {
  explicit SdlWindow(SDL_Window* window) : sdl(window) { onScreen = window != nullptr; }
  ~SdlWindow() override;  // the frame buffer goes first: its renderer belongs to the window
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  SDL_Window* sdl = nullptr;
  int scale = 1;                             // pixels per point of the SDL window
  std::unique_ptr<PixelFrameBuffer> pixels;  // only where scale > 1
  int left = 0, top = 0;                     // where the outer corner belongs
  WindowHandle owner = 0;                    // a dialog's owner, which it opens centred over
  bool frameAccountedFor = false;
};

inline SdlWindow* FindWindow(WindowHandle handle) { return Windows().Find<SdlWindow>(handle); }
SdlWindow* FindBySdlId(std::uint32_t sdlWindowId);
SdlWindow* FirstOnScreen();  // the earliest created window that has an SDL window

}  // namespace platform::detail
