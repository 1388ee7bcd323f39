#include "platform/sdl/Font.h"

#include <algorithm>

#include "platform/sdl/FaceFile.h"

namespace platform {
namespace {

// Enough for every character and colour a window of labels uses; past it the oldest are not
// worth tracking, so the lot is dropped and drawn afresh.
constexpr std::size_t kMaxRendered = 1024;

std::uint64_t RenderedKey(char32_t c, SDL_Color color) {
  return std::uint64_t{c} << 24 | std::uint64_t{color.r} << 16 | std::uint64_t{color.g} << 8 | color.b;
}

// The coverage as colour with alpha, ready for SDL to blend onto any frame buffer.
SDL_Surface* Tinted(const GlyphCoverage& coverage, int left, int top, int width, int rows, SDL_Color color) {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, rows, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!surface) return nullptr;
  const Uint32 rgb = Uint32{color.r} << 16 | Uint32{color.g} << 8 | color.b;
  for (int y = 0; y < rows; ++y) {
    const unsigned char* levels = coverage.levels.data() + static_cast<std::size_t>(top + y) * coverage.width + left;
    auto* pixels = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < width; ++x) pixels[x] = Uint32{levels[x]} << 24 | rgb;
  }
  SDL_SetSurfaceBlendMode(surface, SDL_BLENDMODE_BLEND);
  return surface;
}

}  // namespace

Font::Font(std::shared_ptr<FaceFile> file, int emPixels, bool embolden, const TextMetrics& metrics,
           int underlineOffset, int underlineThickness)
    : file_(std::move(file)),
      emPixels_(emPixels),
      embolden_(embolden),
      rendererLine_(RendererExtent(Face())),
      metrics_(metrics),
      underlineOffset_(underlineOffset),
      underlineThickness_(underlineThickness) {}

Font::~Font() {
  for (auto& [key, glyph] : rendered_) SDL_FreeSurface(glyph.surface);
}

const std::string& Font::File() const { return file_->Path(); }

FT_Face Font::Face() const { return file_->At(emPixels_); }

const GlyphMetrics* Font::Measured(char32_t c) const {
  auto known = measured_.find(c);
  if (known == measured_.end()) {
    GlyphMetrics metrics;
    const bool loaded = LoadGlyphMetrics(Face(), c, embolden_, metrics);
    known = measured_.emplace(c, loaded ? std::optional(metrics) : std::nullopt).first;
  }
  return known->second ? &*known->second : nullptr;
}

int Font::Advance(char32_t c) const {
  const GlyphMetrics* metrics = Measured(c);
  return metrics ? metrics->advance : 0;
}

const Font::Rendered& Font::Render(char32_t c, SDL_Color color) const {
  const std::uint64_t key = RenderedKey(c, color);
  if (const auto known = rendered_.find(key); known != rendered_.end()) return known->second;
  if (rendered_.size() >= kMaxRendered) {
    for (auto& [old, glyph] : rendered_) SDL_FreeSurface(glyph.surface);
    rendered_.clear();
  }
  Rendered glyph;
  GlyphCoverage coverage;
  const GlyphMetrics* metrics = Measured(c);
  if (metrics && RenderGlyph(Face(), c, embolden_, coverage)) {
    // The glyph image of the face's own line: the pen at its left edge, moved right when the
    // glyph reaches left of the pen, and the face's ascent from its top to the baseline, moved
    // down when the glyph rises above that. What falls outside it is not drawn.
    const int boxLeft = std::min(0, metrics->left);
    const int boxRight = std::max({0, metrics->left + metrics->width, metrics->reach});
    const int lowered = std::max(0, metrics->top - rendererLine_.ascent);
    const int boxTop = -rendererLine_.ascent;
    const int boxBottom = boxTop + lowered +
                          std::max(rendererLine_.height, rendererLine_.ascent - metrics->top + metrics->rows);
    const int imageLeft = coverage.left, imageTop = lowered - coverage.top;
    const int left = std::max(boxLeft, imageLeft), right = std::min(boxRight, imageLeft + coverage.width);
    const int top = std::max(boxTop, imageTop), bottom = std::min(boxBottom, imageTop + coverage.rows);
    if (boxRight > boxLeft && right > left && bottom > top) {
      glyph.surface = Tinted(coverage, left - imageLeft, top - imageTop, right - left, bottom - top, color);
      glyph.left = left;
      glyph.top = top;
    }
  }
  return rendered_.emplace(key, glyph).first->second;
}

void Font::DrawGlyph(SDL_Surface* target, char32_t c, int x, int baselineY, SDL_Color color) const {
  const Rendered& glyph = Render(c, color);
  if (!glyph.surface) return;
  SDL_Rect where{x + glyph.left, baselineY + glyph.top, glyph.surface->w, glyph.surface->h};
  SDL_BlitSurface(glyph.surface, nullptr, target, &where);
}

}  // namespace platform
