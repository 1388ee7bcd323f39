#include "platform/sdl/WindowRegistry.h"

#include <string>

namespace platform::detail {
namespace {

// The renderer belongs to the window, so it goes first.
void DestroySdlWindow(WindowRecord& record) {
  record.pixels.reset();
  if (record.sdl) SDL_DestroyWindow(record.sdl);
}

}  // namespace

PixelFrameBuffer::PixelFrameBuffer(SDL_Window* window, int width, int height) {
  renderer_ = SDL_CreateRenderer(window, -1, 0);
  if (!renderer_) throw PlatformError(std::string("cannot draw into a window on this desktop: ") + SDL_GetError());
  try {
    Resize(width, height);
  } catch (...) {
    Release();
    throw;
  }
}

// The renderer stays with the window; only the pixels change size.
void PixelFrameBuffer::Resize(int width, int height) {
  if (surface_) SDL_FreeSurface(surface_);
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
  // Our pixels are the output's pixels: the logical size maps them one for one, and mouse
  // positions from points back into them.
  if (!texture_ || !surface_ || SDL_RenderSetLogicalSize(renderer_, width, height) != 0) {
    throw PlatformError(std::string("cannot draw into a window on this desktop: ") + SDL_GetError());
  }
  resized_ = true;
}

PixelFrameBuffer::~PixelFrameBuffer() { Release(); }

void PixelFrameBuffer::Release() {
  if (surface_) SDL_FreeSurface(surface_);
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  surface_ = nullptr;
  texture_ = nullptr;
  renderer_ = nullptr;
}

// The texture takes only what changed; the screen takes the whole picture, since a renderer's
// back buffer keeps nothing from one frame to the next.
void PixelFrameBuffer::Present(const SDL_Rect* rects, int count) {
  for (int i = 0; i < count; ++i) {
    const SDL_Rect& r = rects[i];
    const auto* first = static_cast<const Uint8*>(surface_->pixels) + r.y * surface_->pitch + r.x * surface_->format->BytesPerPixel;
    SDL_UpdateTexture(texture_, &r, first, surface_->pitch);
  }
  // On Wayland the first frame after a resize still reaches the compositor at the old size (its
  // GL buffer was had before the resize), and the compositor keeps that size until another
  // frame comes. So that frame is shown twice.
  for (int frames = resized_ ? 2 : 1; frames > 0; --frames) {
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }
  resized_ = false;
}

WindowRecord& WindowRegistry::Add(SDL_Window* sdl) {
  auto record = std::make_unique<WindowRecord>();
  record->handle = ++lastHandle_;
  record->sdl = sdl;
  WindowRecord& added = *record;
  windows_.emplace(added.handle, std::move(record));
  return added;
}

WindowRecord* WindowRegistry::Find(WindowHandle handle) {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second.get();
}

WindowRecord* WindowRegistry::FindBySdlId(std::uint32_t sdlWindowId) {
  if (sdlWindowId == 0) return nullptr;
  for (auto& [handle, record] : windows_) {
    if (record->sdl && SDL_GetWindowID(record->sdl) == sdlWindowId) return record.get();
  }
  return nullptr;
}

WindowRecord* WindowRegistry::FirstOnScreen() {
  for (auto& [handle, record] : windows_) {
    if (record->sdl) return record.get();
  }
  return nullptr;
}

WindowRecord* WindowRegistry::FirstNeedingPaint() {
  for (auto& [handle, record] : windows_) {
    if (!record->update.Empty()) return record.get();
  }
  return nullptr;
}

void WindowRegistry::Remove(WindowHandle handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) return;
  DestroySdlWindow(*it->second);
  windows_.erase(it);
  if (active == handle) active = 0;
  if (capture == handle) capture = 0;
}

void WindowRegistry::Clear() {
  for (auto& [handle, record] : windows_) DestroySdlWindow(*record);
  windows_.clear();
  active = capture = 0;
  lastHandle_ = 0;
}

WindowRegistry& Windows() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace platform::detail
