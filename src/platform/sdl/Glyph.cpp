#include "platform/sdl/Glyph.h"

#include <algorithm>

namespace platform {
namespace {

constexpr FT_Int32 kLoadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL;

int Floor(FT_Pos value) { return static_cast<int>((value & -64) / 64); }
int Ceiling(FT_Pos value) { return Floor(value + 63); }

bool Load(FT_Face face, char32_t c) { return FT_Load_Glyph(face, FT_Get_Char_Index(face, c), kLoadFlags) == 0; }

// The level of pixel `x` of a row, whatever depth the face's bitmap has; shallower depths are
// spread over 0..255 as the blended glyphs always spread them.
unsigned char Level(const FT_Bitmap& bitmap, const unsigned char* row, unsigned x) {
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO: return (row[x / 8] << (x % 8) & 0x80) ? 255 : 0;
    case FT_PIXEL_MODE_GRAY2: {
      const int level = (row[x / 4] << (2 * (x % 4)) & 0xA0) >> 6;
      return level ? static_cast<unsigned char>(256 * level / 3 - 1) : 0;
    }
    case FT_PIXEL_MODE_GRAY4: {
      const int level = (row[x / 2] << (4 * (x % 2)) & 0xF0) >> 4;
      return level ? static_cast<unsigned char>(256 * level / 15 - 1) : 0;
    }
    case FT_PIXEL_MODE_GRAY: return row[x];
    default: return 0;  // colour and subpixel bitmaps are never asked for
  }
}

// Each pass adds every pixel's left neighbour to it, as it was before the pass, capped at full.
void Embolden(GlyphCoverage& coverage, int columns) {
  for (int row = 0; row < coverage.rows; ++row) {
    unsigned char* pixels = coverage.levels.data() + static_cast<std::size_t>(row) * coverage.width;
    for (int pass = 0; pass < columns; ++pass) {
      for (int x = coverage.width - 1; x > 0; --x) pixels[x] = static_cast<unsigned char>(std::min(255, pixels[x] + pixels[x - 1]));
    }
  }
}

}  // namespace

FaceExtent RendererExtent(FT_Face face) {
  if (!FT_IS_SCALABLE(face)) {
    const FT_Size_Metrics& size = face->size->metrics;
    return {Ceiling(size.ascender), Ceiling(size.descender), Ceiling(size.height)};
  }
  const FT_Fixed scale = face->size->metrics.y_scale;
  return {Ceiling(FT_MulFix(face->ascender, scale)), Ceiling(FT_MulFix(face->descender, scale)),
          Ceiling(FT_MulFix(face->ascender - face->descender, scale))};
}

int EmboldenColumns(FT_Face face) { return face->size->metrics.y_ppem / 10; }

bool LoadGlyphMetrics(FT_Face face, char32_t c, bool embolden, GlyphMetrics& metrics) {
  if (!Load(face, c)) return false;
  const FT_GlyphSlot slot = face->glyph;
  metrics = {slot->bitmap_left, slot->bitmap_top, static_cast<int>(slot->bitmap.width),
             static_cast<int>(slot->bitmap.rows), 0, 0};
  if (metrics.left == 0 && metrics.top == 0 && metrics.width == 0 && metrics.rows == 0) {
    // No bitmap box preset (a blank): the outline's own bounds, in whole pixels.
    const FT_Glyph_Metrics& outline = slot->metrics;
    const int minX = Floor(outline.horiBearingX), maxX = Ceiling(outline.horiBearingX + outline.width);
    const int maxY = Floor(outline.horiBearingY), minY = maxY - Ceiling(outline.height);
    metrics = {minX, maxY, maxX - minX, maxY - minY, 0, 0};
  }
  FT_Pos advance = slot->metrics.horiAdvance;
  if (embolden) {
    const int columns = EmboldenColumns(face);
    metrics.width += columns;
    advance += FT_Pos{columns} * 64;
  }
  metrics.advance = Ceiling(advance);
  metrics.reach = Floor(advance);
  return true;
}

bool RenderGlyph(FT_Face face, char32_t c, bool embolden, GlyphCoverage& coverage) {
  if (!Load(face, c) || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) return false;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  const int columns = embolden ? EmboldenColumns(face) : 0;
  coverage.left = slot->bitmap_left;
  coverage.top = slot->bitmap_top;
  coverage.width = static_cast<int>(bitmap.width) + columns;
  coverage.rows = bitmap.width == 0 ? 0 : static_cast<int>(bitmap.rows);
  coverage.levels.assign(static_cast<std::size_t>(coverage.width) * coverage.rows, 0);
  for (int row = 0; row < coverage.rows; ++row) {
    const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
    unsigned char* target = coverage.levels.data() + static_cast<std::size_t>(row) * coverage.width;
    for (unsigned x = 0; x < bitmap.width; ++x) target[x] = Level(bitmap, source, x);
  }
  if (columns > 0) Embolden(coverage, columns);
  return true;
}

}  // namespace platform
