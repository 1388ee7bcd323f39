// The program's windows by handle. Handles are small integers that are never reused within a
// session, so a handle kept past DestroyWindow finds nothing instead of somebody else's window.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/Platform.h"
#include "platform/UpdateRegion.h"
#include "platform/sdl/PixelFrameBuffer.h"

namespace platform::detail {

struct WindowRecord {
  WindowHandle handle = 0;
  SDL_Window* sdl = nullptr;  // none for a message window
  Rect client;                // 0, 0, width, height, in pixels
  int scale = 1;              // pixels per point of the SDL window
  std::unique_ptr<PixelFrameBuffer> pixels;  // only where scale > 1
  int left = 0, top = 0;      // where the outer corner belongs
  WindowHandle owner = 0;     // a dialog's owner, which it opens centred over
  bool enabled = true;
  bool frameAccountedFor = false;
  UpdateRegion update, erase;

  // The whole client area, background erased: after an exposure, a restore or a show.
  void InvalidateAll() {
    update.Add(client);
    erase.Add(client);
  }
};

class WindowRegistry {
 public:
  WindowRecord& Add(SDL_Window* sdl);
  WindowRecord* Find(WindowHandle handle);
  WindowRecord* FindBySdlId(std::uint32_t sdlWindowId);
  WindowRecord* FirstOnScreen();          // the earliest created window that has an SDL window
  WindowRecord* FirstNeedingPaint();
  void Remove(WindowHandle handle);       // destroys the SDL window and its frame buffer too
  void Clear();
  std::size_t Count() const { return windows_.size(); }

  WindowHandle active = 0;
  WindowHandle capture = 0;

 private:
  std::map<WindowHandle, std::unique_ptr<WindowRecord>> windows_;
  WindowHandle lastHandle_ = 0;
};

WindowRegistry& Windows();

}  // namespace platform::detail
