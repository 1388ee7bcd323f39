// Top-level windows: each a canvas on the page, created hidden at a fixed client size in device
// pixels and shown at that size divided by the device pixel ratio, so that one canvas pixel is one
// device pixel and nothing is stretched. The page has no window frame: the title is the page's.
#include "platform/web/Windows.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <string>

#include "platform/web/Input.h"
#include "platform/Session.h"
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
  if (canvas && canvas.keys && canvas.keys !== canvas) canvas.keys.remove();
  delete QuilletPage.canvases[window];
});

EM_JS(void, quillet_show_canvas, (int window, bool shown), {
  const canvas = QuilletPage.canvases[window];
  if (canvas) canvas.hidden = !shown;
  if (canvas && canvas.keys) canvas.keys.hidden = !shown;
});


EM_JS(void, quillet_focus_canvas, (int window), {
  const canvas = QuilletPage.canvases[window];
  if (canvas && !canvas.hidden) canvas.focus();
});

EM_JS(void, quillet_set_title, (const char* utf8), { document.title = UTF8ToString(utf8); });

namespace platform::detail {

WebWindow::~WebWindow() {
  if (onScreen) quillet_remove_canvas(static_cast<int>(handle));
}

bool CreateCanvas(WindowHandle window) { return quillet_create_canvas(static_cast<int>(window)); }

}  // namespace platform::detail

namespace platform {

using detail::FindWindow;
using detail::WebWindow;
using detail::Windows;

WindowHandle CreateWindow(const WindowOptions& options) {
  detail::Session::RequireOpen();
  if (options.clientWidth <= 0 || options.clientHeight <= 0) {
    throw PlatformError("a window needs a client area of at least one pixel");
  }
  WebWindow& window = Windows().Add(std::make_unique<WebWindow>(true));
  const int handle = static_cast<int>(window.handle);
  if (!detail::NewCanvas(window.handle)) {
    Windows().Remove(window.handle);
    throw PlatformError("cannot create a window: this browser gives no 2D canvas");
  }
  window.client = {0, 0, options.clientWidth, options.clientHeight};
  quillet_size_canvas(handle, options.clientWidth, options.clientHeight, detail::PixelRatio());
  detail::ListenTo(window.handle);
  // The page has no frame: a window's title is the page's. Its icon is the page's own already.
  if (!options.title.empty()) quillet_set_title(AnsiToUtf8(options.title).c_str());
  return window.handle;
}

WindowHandle CreateMessageWindow() {
  detail::Session::RequireOpen();
  return Windows().Add(std::make_unique<WebWindow>(false)).handle;
}

// A page has no taskbar to minimise to: every way of showing puts the canvas on the page.
void ShowWindow(WindowHandle handle, Show) {
  WebWindow* window = FindWindow(handle);
  if (!window || !window->onScreen) return;
  quillet_show_canvas(static_cast<int>(handle), true);
  window->InvalidateAll();
  SetActiveWindow(handle);
}

void SetClientSize(WindowHandle handle, int clientWidth, int clientHeight) {
  WebWindow* window = FindWindow(handle);
  if (!window || !window->onScreen || clientWidth <= 0 || clientHeight <= 0) return;
  quillet_size_canvas(static_cast<int>(handle), clientWidth, clientHeight, detail::PixelRatio());
  window->client = {0, 0, clientWidth, clientHeight};
  window->InvalidateAll();
}

// The active window has the keyboard: its canvas takes the focus.
void SetActiveWindow(WindowHandle handle) {
  if (handle == 0) {
    Windows().active = 0;
    return;
  }
  const WebWindow* window = FindWindow(handle);
  if (!window || !window->onScreen) return;
  quillet_focus_canvas(static_cast<int>(handle));
  Windows().active = handle;
}

}  // namespace platform
