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

}  // namespace

Font::Font(std::shared_ptr<FaceFile> file, int emPixels, int style, const TextMetrics& metrics, int underlineOffset,
           int underlineThickness)
    : file_(std::move(file)),
      emPixels_(emPixels),
      style_(style),
      rendererAscent_(TTF_FontAscent(Face())),
      metrics_(metrics),
      underlineOffset_(underlineOffset),
      underlineThickness_(underlineThickness) {}

Font::~Font() {
  for (auto& [key, glyph] : rendered_) SDL_FreeSurface(glyph.surface);
}

const std::string& Font::File() const { return file_->Path(); }

TTF_Font* Font::Face() const { return file_->At(emPixels_, style_); }

int Font::Advance(char32_t c) const {
  if (const auto known = advances_.find(c); known != advances_.end()) return known->second;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(Face(), c, &minX, &maxX, &minY, &maxY, &advance) != 0) advance = 0;
  advances_.emplace(c, advance);
  return advance;
}

const Font::Rendered& Font::Render(char32_t c, SDL_Color color) const {
  const std::uint64_t key = RenderedKey(c, color);
  if (const auto known = rendered_.find(key); known != rendered_.end()) return known->second;
  if (rendered_.size() >= kMaxRendered) {
    for (auto& [old, glyph] : rendered_) SDL_FreeSurface(glyph.surface);
    rendered_.clear();
  }
  TTF_Font* face = Face();
  Rendered glyph;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(face, c, &minX, &maxX, &minY, &maxY, &advance) == 0) {
    glyph.surface = TTF_RenderGlyph32_Blended(face, c, color);  // null for a blank of no width
    // The rendered surface has the pen origin at its left edge, moved right when the glyph
    // reaches left of the pen.
    glyph.left = std::min(0, minX);
    if (glyph.surface) SDL_SetSurfaceBlendMode(glyph.surface, SDL_BLENDMODE_BLEND);
  }
  return rendered_.emplace(key, glyph).first->second;
}

void Font::DrawGlyph(SDL_Surface* target, char32_t c, int x, int baselineY, SDL_Color color) const {
  const Rendered& glyph = Render(c, color);
  if (!glyph.surface) return;
  // The surface's baseline lies the face's own ascent (SDL_ttf's, not the layout's) rows down.
  SDL_Rect where{x + glyph.left, baselineY - rendererAscent_, glyph.surface->w, glyph.surface->h};
  SDL_BlitSurface(glyph.surface, nullptr, target, &where);
}

}  // namespace platform
