// Top-level windows: created hidden at a fixed client size, placed by their outer corner.
#include <SDL.h>
#include <png.h>

#include <memory>
#include <string>

#include "platform/sdl/CodePage.h"
#include "platform/MessageQueue.h"
#include "platform/sdl/Session.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/TimerTable.h"
#include "platform/sdl/WindowRegistry.h"
#include "platform/sdl/DesktopScale.h"
#include "platform/sdl/FrameHints.h"
#include "platform/sdl/X11EventTap.h"

namespace platform {
namespace {

using detail::WindowRecord;
using detail::Windows;

// A size in whole points that holds `pixels`; a pixel left over is client area like the rest.
int InPoints(int pixels, int scale) { return (pixels + scale - 1) / scale; }

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

// libpng's simplified reader decodes straight into the surface's pixels, in SDL's byte order.
void SetIcon(SDL_Window* window, std::span<const unsigned char> png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  const auto refused = [&image](const std::string& why) {
    png_image_free(&image);
    return PlatformError("cannot read the window icon: " + why);
  };
  if (!png_image_begin_read_from_memory(&image, png.data(), png.size())) throw refused(image.message);
  image.format = PNG_FORMAT_RGBA;
  std::unique_ptr<SDL_Surface, SurfaceFree> surface(SDL_CreateRGBSurfaceWithFormat(
      0, static_cast<int>(image.width), static_cast<int>(image.height), 32, SDL_PIXELFORMAT_RGBA32));
  if (!surface) throw refused(SDL_GetError());
  if (!png_image_finish_read(&image, nullptr, surface->pixels, surface->pitch, nullptr)) throw refused(image.message);
  SDL_SetWindowIcon(window, surface.get());
}

// SDL positions the client area; under a window manager the frame sits around it, so the client
// moves by the frame's size to put the outer corner where it belongs. The frame is known only
// once the window is on screen. Without a window manager there is no frame and nothing moves.
void AccountForFrame(WindowRecord& window) {
  if (window.frameAccountedFor) return;
  window.frameAccountedFor = true;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window.sdl, &top, &left, &bottom, &right) == 0 && (top != 0 || left != 0)) {
    SDL_SetWindowPosition(window.sdl, window.left + left, window.top + top);
  }
}

// An owned window opens centred over its owner where the owner is now, not where it opened.
void CentreOverOwner(WindowRecord& window) {
  const WindowRecord* owner = Windows().Find(window.owner);
  if (!owner || !owner->sdl || (SDL_GetWindowFlags(window.sdl) & SDL_WINDOW_SHOWN)) return;
  int x = 0, y = 0, width = 0, height = 0, top = 0, left = 0;
  SDL_GetWindowPosition(owner->sdl, &x, &y);
  SDL_GetWindowSize(owner->sdl, &width, &height);
  SDL_GetWindowBordersSize(owner->sdl, &top, &left, nullptr, nullptr);
  // Outer corner for outer corner, taking the dialog's frame to be as wide as its owner's. SDL
  // places and sizes windows in points.
  window.left = x - left + (width - window.client.right / window.scale) / 2;
  window.top = y - top + (height - window.client.bottom / window.scale) / 2;
  window.frameAccountedFor = false;
  SDL_SetWindowPosition(window.sdl, window.left, window.top);
}

void Reveal(WindowRecord& window) {
  CentreOverOwner(window);
  SDL_ShowWindow(window.sdl);  // nothing happens when it is already shown
  AccountForFrame(window);
}

}  // namespace

WindowHandle CreateWindow(const WindowOptions& options) {
  detail::Session::RequireOpen();
  if (options.clientWidth <= 0 || options.clientHeight <= 0) {
    throw PlatformError("a window needs a client area of at least one pixel");
  }
  // Not resizable: SDL gives the window equal minimum and maximum sizes, so there is no maximise.
  // On a scaled output the window is sized in points, enough of them to hold every pixel.
  const int scale = detail::OutputScale();
  const int width = InPoints(options.clientWidth, scale), height = InPoints(options.clientHeight, scale);
  SDL_Window* sdl = detail::NewSdlWindow(AnsiToUtf8(options.title).c_str(), options.left, options.top, width, height,
                                         SDL_WINDOW_HIDDEN | (scale > 1 ? SDL_WINDOW_ALLOW_HIGHDPI : 0));
  if (!sdl) throw PlatformError(std::string("cannot create a window: ") + SDL_GetError());
  detail::LimitFrame(sdl, options.minimizable);
  std::unique_ptr<detail::PixelFrameBuffer> pixels;
  try {
    if (!options.icon.empty()) SetIcon(sdl, options.icon);
    // The frame buffer is had now, so that a desktop that cannot give one is reported at once
    // instead of leaving a window that never shows.
    if (scale > 1) {
      pixels = std::make_unique<detail::PixelFrameBuffer>(sdl, width * scale, height * scale);
    } else if (!SDL_GetWindowSurface(sdl)) {
      throw detail::NoFrameBuffer();
    }
  } catch (...) {
    pixels.reset();
    SDL_DestroyWindow(sdl);
    throw;
  }
  WindowRecord* owner = Windows().Find(options.owner);
  if (owner && owner->sdl) detail::MakeModalDialog(sdl, owner->sdl);
  WindowRecord& window = Windows().Add(sdl);
  detail::TapX11Events(sdl);
  if (owner && owner->sdl) window.owner = owner->handle;
  window.scale = scale;
  window.pixels = std::move(pixels);
  window.client = {0, 0, width * scale, height * scale};
  window.left = options.left;
  window.top = options.top;
  return window.handle;
}

WindowHandle CreateMessageWindow() {
  detail::Session::RequireOpen();
  return Windows().Add(nullptr).handle;
}

void DestroyWindow(WindowHandle handle) {
  detail::Timers().KillAllOf(handle);
  detail::Queue().ForgetWindow(handle);
  Windows().Remove(handle);
}

void ShowWindow(WindowHandle handle, Show how) {
  WindowRecord* window = Windows().Find(handle);
  if (!window || !window->sdl) return;
  switch (how) {
    case Show::Normal:
    case Show::Restore:
      Reveal(*window);
      SDL_RestoreWindow(window->sdl);
      SetActiveWindow(handle);
      window->InvalidateAll();
      break;
    case Show::Minimized:
      Reveal(*window);
      SDL_MinimizeWindow(window->sdl);
      if (Windows().active == handle) Windows().active = 0;
      break;
  }
}

void SetClientSize(WindowHandle handle, int clientWidth, int clientHeight) {
  WindowRecord* window = Windows().Find(handle);
  if (!window || !window->sdl || clientWidth <= 0 || clientHeight <= 0) return;
  const int width = InPoints(clientWidth, window->scale), height = InPoints(clientHeight, window->scale);
  SDL_SetWindowSize(window->sdl, width, height);
  if (window->pixels) window->pixels->Resize(width * window->scale, height * window->scale);
  window->client = {0, 0, width * window->scale, height * window->scale};
  window->InvalidateAll();
}

void EnableWindow(WindowHandle handle, bool enable) {
  WindowRecord* window = Windows().Find(handle);
  if (!window) return;
  window->enabled = enable;
  if (!enable && Windows().capture == handle) Windows().capture = 0;
}

bool IsWindowEnabled(WindowHandle handle) {
  const WindowRecord* window = Windows().Find(handle);
  return window && window->enabled;
}

WindowHandle GetActiveWindow() { return Windows().active; }

void SetActiveWindow(WindowHandle handle) {
  if (handle == 0) {
    Windows().active = 0;
    return;
  }
  WindowRecord* window = Windows().Find(handle);
  if (!window || !window->sdl) return;
  if (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_SHOWN) SDL_RaiseWindow(window->sdl);  // raises it and asks for the input focus
  Windows().active = handle;
}

WindowHandle GetCapture() { return Windows().capture; }

void ReleaseCapture() { Windows().capture = 0; }

}  // namespace platform
