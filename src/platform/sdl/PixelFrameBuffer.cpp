#include "platform/sdl/PixelFrameBuffer.h"

#include <string>

namespace platform::detail {

PlatformError NoFrameBuffer() {
  return PlatformError(std::string("cannot draw into a window on this desktop: ") + SDL_GetError());
}

PixelFrameBuffer::PixelFrameBuffer(SDL_Window* window, int width, int height) {
  renderer_ = SDL_CreateRenderer(window, -1, 0);
  if (!renderer_) throw NoFrameBuffer();
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
    throw NoFrameBuffer();
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

}  // namespace platform::detail
