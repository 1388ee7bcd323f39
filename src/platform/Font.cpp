#include "platform/Font.h"

#include <algorithm>

namespace platform {

Font::Font(std::shared_ptr<TrueTypeLibrary> library, TTF_Font* face, std::string file, const TextMetrics& metrics,
           int underlineOffset, int underlineThickness)
    : library_(std::move(library)),
      face_(face),
      file_(std::move(file)),
      metrics_(metrics),
      underlineOffset_(underlineOffset),
      underlineThickness_(underlineThickness) {}

Font::~Font() { TTF_CloseFont(face_); }

int Font::Advance(char32_t c) const {
  if (const auto known = advances_.find(c); known != advances_.end()) return known->second;
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(face_, c, &minX, &maxX, &minY, &maxY, &advance) != 0) advance = 0;
  advances_.emplace(c, advance);
  return advance;
}

void Font::DrawGlyph(SDL_Surface* target, char32_t c, int x, int baselineY, SDL_Color color) const {
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  if (TTF_GlyphMetrics32(face_, c, &minX, &maxX, &minY, &maxY, &advance) != 0) return;
  SDL_Surface* glyph = TTF_RenderGlyph32_Blended(face_, c, color);
  if (glyph == nullptr) return;  // nothing to show, e.g. a blank of no width
  // The rendered surface has the pen origin at its left edge, moved right when the glyph reaches
  // left of the pen, and the baseline TTF_FontAscent rows down.
  SDL_Rect where{x + std::min(0, minX), baselineY - TTF_FontAscent(face_), glyph->w, glyph->h};
  SDL_SetSurfaceBlendMode(glyph, SDL_BLENDMODE_BLEND);
  SDL_BlitSurface(glyph, nullptr, target, &where);
  SDL_FreeSurface(glyph);
}

}  // namespace platform
