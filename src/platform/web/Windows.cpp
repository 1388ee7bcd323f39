// Top-level windows: each a canvas on the page, created hidden at a fixed client size in device
// pixels and shown at that size divided by the device pixel ratio, so that one canvas pixel is one
// device pixel and nothing is stretched. The page has no window frame: the title is the page's.
#include "platform/web/Windows.h"

#include <emscripten/emscripten.h>

#include <string>

#include "platform/web/Input.h"
#include "platform/web/Session.h"
#include "platform/web/SystemCalls.h"

EM_JS(bool, quillet_create_canvas, (int window), {
  const canvas = document.createElement('canvas');
  canvas.id = 'window' + window;
  canvas.tabIndex = 0;
  canvas.hidden = true;
  const context = canvas.getContext('2d', {alpha : false});
  if (!context) return false;
  QuilletPage.canvases[window] = canvas;
  const page = document.getElementById('page');
  page.insertBefore(canvas, document.getElementById('status'));
  return true;
});

EM_JS(void, quillet_size_canvas, (int window, int width, int height, double ratio), {
  const canvas = QuilletPage.canvases[window];
  canvas.width = width;
  canvas.height = height;
  canvas.style.width = (width / ratio) + 'px';
  canvas.style.height = (height / ratio) + 'px';
});

EM_JS(void, quillet_remove_canvas, (int window), {
  const canvas = QuilletPage.canvases[window];
  if (canvas) canvas.remove();
  delete QuilletPage.canvases[window];
});

EM_JS(void, quillet_show_canvas, (int window, bool shown), {
  const canvas = QuilletPage.canvases[window];
  if (canvas) canvas.hidden = !shown;
});

namespace platform::detail {

bool CreateCanvas(WindowHandle window) { return quillet_create_canvas(static_cast<int>(window)); }

}  // namespace platform::detail

EM_JS(void, quillet_focus_canvas, (int window), {
  const canvas = QuilletPage.canvases[window];
  if (canvas && !canvas.hidden) canvas.focus();
});

EM_JS(void, quillet_set_title, (const char* utf8), { document.title = UTF8ToString(utf8); });

namespace platform::detail {

WebWindow& WindowTable::Add(bool onScreen) {
  auto window = std::make_unique<WebWindow>();
  window->handle = ++lastHandle_;
  window->onScreen = onScreen;
  WebWindow& added = *window;
  windows_.emplace(added.handle, std::move(window));
  return added;
}

WebWindow* WindowTable::Find(WindowHandle handle) {
  const auto found = windows_.find(handle);
  return found == windows_.end() ? nullptr : found->second.get();
}

WebWindow* WindowTable::FirstNeedingPaint() {
  for (auto& [handle, window] : windows_) {
    if (window->onScreen && !window->update.Empty()) return window.get();
  }
  return nullptr;
}

void WindowTable::Remove(WindowHandle handle) {
  const auto found = windows_.find(handle);
  if (found == windows_.end()) return;
  if (found->second->onScreen) quillet_remove_canvas(static_cast<int>(handle));
  windows_.erase(found);
  if (active == handle) active = 0;
  if (capture == handle) capture = 0;
}

void WindowTable::Clear() {
  while (!windows_.empty()) Remove(windows_.begin()->first);
  active = capture = 0;
}

WindowTable& Windows() {
  static WindowTable table;
  return table;
}

}  // namespace platform::detail

namespace platform {

using detail::WebWindow;
using detail::Windows;

WindowHandle CreateWindow(const WindowOptions& options) {
  detail::Session::RequireOpen();
  if (options.clientWidth <= 0 || options.clientHeight <= 0) {
    throw PlatformError("a window needs a client area of at least one pixel");
  }
  WebWindow& window = Windows().Add(true);
  const int handle = static_cast<int>(window.handle);
  if (!detail::NewCanvas(window.handle)) {
    Windows().Remove(window.handle);
    throw PlatformError("cannot create a window: this browser gives no 2D canvas");
  }
  window.client = {0, 0, options.clientWidth, options.clientHeight};
  quillet_size_canvas(handle, options.clientWidth, options.clientHeight, detail::Session::PixelRatio());
  detail::ListenTo(window.handle);
  // The page has no frame: a window's title is the page's. Its icon is the page's own already.
  if (!options.title.empty()) quillet_set_title(AnsiToUtf8(options.title).c_str());
  return window.handle;
}

WindowHandle CreateMessageWindow() {
  detail::Session::RequireOpen();
  return Windows().Add(false).handle;
}

void DestroyWindow(WindowHandle handle) {
  detail::ForgetTimersOf(handle);
  detail::Queue().ForgetWindow(handle);
  Windows().Remove(handle);
}

// A page has no taskbar to minimise to: every way of showing puts the canvas on the page.
void ShowWindow(WindowHandle handle, Show) {
  WebWindow* window = Windows().Find(handle);
  if (!window || !window->onScreen) return;
  quillet_show_canvas(static_cast<int>(handle), true);
  window->InvalidateAll();
  SetActiveWindow(handle);
}

void SetClientSize(WindowHandle handle, int clientWidth, int clientHeight) {
  WebWindow* window = Windows().Find(handle);
  if (!window || !window->onScreen || clientWidth <= 0 || clientHeight <= 0) return;
  quillet_size_canvas(static_cast<int>(handle), clientWidth, clientHeight, detail::Session::PixelRatio());
  window->client = {0, 0, clientWidth, clientHeight};
  window->InvalidateAll();
}

void EnableWindow(WindowHandle handle, bool enable) {
  WebWindow* window = Windows().Find(handle);
  if (!window) return;
  window->enabled = enable;
  if (!enable && Windows().capture == handle) Windows().capture = 0;
}

bool IsWindowEnabled(WindowHandle handle) {
  const WebWindow* window = Windows().Find(handle);
  return window && window->enabled;
}

WindowHandle GetActiveWindow() { return Windows().active; }

// The active window has the keyboard: its canvas takes the focus.
void SetActiveWindow(WindowHandle handle) {
  if (handle == 0) {
    Windows().active = 0;
    return;
  }
  const WebWindow* window = Windows().Find(handle);
  if (!window || !window->onScreen) return;
  quillet_focus_canvas(static_cast<int>(handle));
  Windows().active = handle;
}

WindowHandle GetCapture() { return Windows().capture; }

void ReleaseCapture() { Windows().capture = 0; }

}  // namespace platform
