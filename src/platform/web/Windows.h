// The program's windows by handle. A window on screen is a canvas on the page, sized in device
// pixels; a message window has no canvas and only receives timer messages. Handles are never
// reused within a session.
#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/Platform.h"
#include "platform/UpdateRegion.h"

namespace platform::detail {

struct WebWindow {
  WindowHandle handle = 0;
  bool onScreen = false;  // has a canvas
  Rect client;            // 0, 0, width, height, in device pixels
  bool enabled = true;
  UpdateRegion update, erase;

  // The whole client area, background erased: after a show or a resize.
  void InvalidateAll() {
    update.Add(client);
    erase.Add(client);
  }
};

class WindowTable {
 public:
  WebWindow& Add(bool onScreen);
  WebWindow* Find(WindowHandle handle);
  WebWindow* FirstNeedingPaint();
  void Remove(WindowHandle handle);  // its canvas leaves the page too
  void Clear();
  std::size_t Count() const { return windows_.size(); }

  WindowHandle active = 0;
  WindowHandle capture = 0;

 private:
  std::map<WindowHandle, std::unique_ptr<WebWindow>> windows_;
  WindowHandle lastHandle_ = 0;
};

WindowTable& Windows();

// A window's canvas is its frame buffer, named by the window's handle.
inline void* SurfaceOf(WindowHandle window) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
inline int WindowOf(const Canvas& canvas) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(canvas.surface)); }

}  // namespace platform::detail
