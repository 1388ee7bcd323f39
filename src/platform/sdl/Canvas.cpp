// Drawing on a window's frame buffer: an SDL surface of any pixel format, seen through an
// origin and a clip rectangle given in the canvas's own coordinates.
#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "platform/sdl/Font.h"
#include "platform/Platform.h"
#include "platform/sdl/TextLayout.h"

namespace platform {
namespace {


SDL_Color ToSdl(ColorRef color) {
  return {static_cast<Uint8>(color & 0xFF), static_cast<Uint8>(color >> 8 & 0xFF), static_cast<Uint8>(color >> 16 & 0xFF), 255};
}

// Sets the surface's clip to `area` (canvas coordinates) within the canvas clip for as long as
// the object lives, and puts the previous clip back afterwards.
class SurfaceClip {
 public:
  SurfaceClip(const Canvas& canvas, const Rect& area) : surface_(static_cast<SDL_Surface*>(canvas.surface)) {
    SDL_GetClipRect(surface_, &saved_);
    const Rect visible = IntersectRect(canvas.clip, area);
    const Rect onSurface = IntersectRect({visible.left + canvas.originX, visible.top + canvas.originY,
                                      visible.right + canvas.originX, visible.bottom + canvas.originY},
                                     {0, 0, surface_->w, surface_->h});
    empty_ = IsRectEmpty(onSurface);
    const SDL_Rect clip{onSurface.left, onSurface.top, onSurface.right - onSurface.left, onSurface.bottom - onSurface.top};
    if (!empty_) SDL_SetClipRect(surface_, &clip);
  }
  ~SurfaceClip() { SDL_SetClipRect(surface_, &saved_); }
  SurfaceClip(const SurfaceClip&) = delete;
  SurfaceClip& operator=(const SurfaceClip&) = delete;
  bool Empty() const { return empty_; }

 private:
  SDL_Surface* surface_;
  SDL_Rect saved_{};
  bool empty_ = true;
};

// SDL's own fill writes 32-bit pixels with streaming stores, which go past the cache: on a window
// this small that costs more than the whole rest of a repaint, and the X server then reads the
// pixels back from memory. Here the first row is filled and copied to the others: memcpy uses
// vector stores and keeps blocks of this size in the cache.
void Fill(SDL_Surface* target, const SDL_Rect& area, Uint32 pixel) {
  SDL_Rect inside;
  if (!SDL_IntersectRect(&area, &target->clip_rect, &inside)) return;
  if (target->format->BytesPerPixel != 4 || SDL_MUSTLOCK(target)) {
    SDL_FillRect(target, &inside, pixel);
    return;
  }
  auto* first = static_cast<Uint8*>(target->pixels) + inside.y * target->pitch + inside.x * 4;
  std::fill_n(reinterpret_cast<Uint32*>(first), inside.w, pixel);
  for (int y = 1; y < inside.h; ++y) std::memcpy(first + y * target->pitch, first, static_cast<std::size_t>(inside.w) * 4);
}

}  // namespace

void Canvas::FillRect(const Rect& r, ColorRef color) const {
  if (surface == nullptr) return;
  const SurfaceClip clipped(*this, r);
  if (clipped.Empty()) return;
  auto* target = static_cast<SDL_Surface*>(surface);
  const SDL_Color rgb = ToSdl(color);
  SDL_Rect area{r.left + originX, r.top + originY, r.right - r.left, r.bottom - r.top};
  Fill(target, area, SDL_MapRGB(target->format, rgb.r, rgb.g, rgb.b));
}

int Canvas::DrawText(const Font& font, std::string_view text, Rect& r, unsigned flags, ColorRef color) const {
  const TextLayout layout = LayOutText(font, text, flags);
  if ((flags & DT_CALCRECT) != 0) {
    r.right = r.left + layout.width;
    r.bottom = r.top + layout.Height();
    return layout.Height();
  }
  if (surface == nullptr) return layout.Height();
  const SurfaceClip clipped(*this, r);
  if (clipped.Empty()) return layout.Height();

  auto* target = static_cast<SDL_Surface*>(surface);
  const SDL_Color rgb = ToSdl(color);
  const Uint32 underlineColor = SDL_MapRGB(target->format, rgb.r, rgb.g, rgb.b);
  const TextMetrics& metrics = font.Metrics();
  int top = r.top;
  for (const TextLine& line : layout.lines) {
    if (top >= r.bottom) break;  // the rest would be clipped away
    const int left = LineLeft(r, line.width, flags) + originX;
    const int baseline = top + originY + metrics.ascent;
    for (const PlacedGlyph& glyph : line.glyphs) font.DrawGlyph(target, glyph.character, left + glyph.x, baseline, rgb);
    for (const UnderlineSpan& span : line.underlines) {
      SDL_Rect bar{left + span.x, baseline + font.UnderlineOffset(), span.width, font.UnderlineThickness()};
      Fill(target, bar, underlineColor);
    }
    top += layout.lineHeight;
  }
  return layout.Height();
}


}  // namespace platform
