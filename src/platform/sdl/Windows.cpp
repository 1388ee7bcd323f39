// Top-level windows: created hidden at a fixed client size, placed by their outer corner.
#include <png.h>

#include <memory>
#include <string>

#include "platform/sdl/Windows.h"

#include "platform/sdl/CodePage.h"
#include "platform/sdl/DesktopScale.h"
#include "platform/Session.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/FrameHints.h"
#include "platform/sdl/X11EventTap.h"

namespace platform {

detail::SdlWindow::~SdlWindow() {
  pixels.reset();
  if (!sdl) return;
  ReleaseX11Window(sdl);
  SDL_DestroyWindow(sdl);
}

detail::SdlWindow* detail::FindBySdlId(std::uint32_t sdlWindowId) {
  if (sdlWindowId == 0) return nullptr;
  return Windows().First<SdlWindow>(
      [sdlWindowId](const SdlWindow& w) { return w.sdl && SDL_GetWindowID(w.sdl) == sdlWindowId; });
}

detail::SdlWindow* detail::FirstOnScreen() {
  return Windows().First<SdlWindow>([](const SdlWindow& w) { return w.onScreen; });
}

namespace {

using detail::FindWindow;
using detail::SdlWindow;
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
void AccountForFrame(SdlWindow& window) {
  if (window.frameAccountedFor) return;
  window.frameAccountedFor = true;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(window.sdl, &top, &left, &bottom, &right) == 0 && (top != 0 || left != 0)) {
    SDL_SetWindowPosition(window.sdl, window.left + left, window.top + top);
  }
}

// An owned window opens centred over its owner where the owner is now, not where it opened.
void CentreOverOwner(SdlWindow& window) {
  const SdlWindow* owner = FindWindow(window.owner);
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

void Reveal(SdlWindow& window) {
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
  SdlWindow* owner = FindWindow(options.owner);
  if (owner && owner->sdl) detail::MakeModalDialog(sdl, owner->sdl);
  SdlWindow& window = Windows().Add(std::make_unique<SdlWindow>(sdl));
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
  return Windows().Add(std::make_unique<SdlWindow>(nullptr)).handle;
}

void ShowWindow(WindowHandle handle, Show how) {
  SdlWindow* window = FindWindow(handle);
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
  SdlWindow* window = FindWindow(handle);
  if (!window || !window->sdl || clientWidth <= 0 || clientHeight <= 0) return;
  const int width = InPoints(clientWidth, window->scale), height = InPoints(clientHeight, window->scale);
  SDL_SetWindowSize(window->sdl, width, height);
  if (window->pixels) window->pixels->Resize(width * window->scale, height * window->scale);
  window->client = {0, 0, width * window->scale, height * window->scale};
  window->InvalidateAll();
}

void SetActiveWindow(WindowHandle handle) {
  if (handle == 0) {
    Windows().active = 0;
    return;
  }
  SdlWindow* window = FindWindow(handle);
  if (!window || !window->sdl) return;
  if (SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_SHOWN) SDL_RaiseWindow(window->sdl);  // raises it and asks for the input focus
  Windows().active = handle;
}

}  // namespace platform
