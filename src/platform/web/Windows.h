// A page backend window: the shared record, with a canvas on the page for a window on screen,
// sized in device pixels and named by the window's handle.
#pragma once
#include <cstdint>

#include "platform/WindowTable.h"

namespace platform::detail {

struct WebWindow : WindowBase {
  explicit WebWindow(bool withCanvas) { onScreen = withCanvas; }
  ~WebWindow() override;  // its canvas leaves the page
  WebWindow(const WebWindow&) = delete;
  WebWindow& operator=(const WebWindow&) = delete;
};

inline WebWindow* FindWindow(WindowHandle handle) { return Windows().Find<WebWindow>(handle); }

// A window's canvas is its frame buffer, named by the window's handle.
inline void* SurfaceOf(WindowHandle window) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }
inline int WindowOf(const Canvas& canvas) { return static_cast<int>(reinterpret_cast<std::uintptr_t>(canvas.surface)); }

bool CreateCanvas(WindowHandle window);

}  // namespace platform::detail
