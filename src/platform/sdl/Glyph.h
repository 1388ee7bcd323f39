// One character of a face at its current size, as the window's text has always been drawn:
// hinted for FreeType's normal target, rendered with 256 levels of coverage, and emboldened, for
// a face with no bold of its own, by smearing each row to the right. The synthetic bold's width
// and the placement of the coverage are those of SDL_ttf 2.20's blended glyphs, which the
// window's pixels were first made with.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

namespace platform {

// Pen-relative whole pixels, y up from the baseline as FreeType counts: the glyph's box, how far
// the pen moves after it (rounded up) and how far right its blended image reaches (rounded down).
struct GlyphMetrics {
  int left = 0, top = 0, width = 0, rows = 0;
  int advance = 0, reach = 0;
};

// The face's own line at its current size, in whole pixels: where a blended glyph image puts
// the baseline (ascent), how far below it the line goes (descent, negative) and its height.
struct FaceExtent {
  int ascent = 0, descent = 0, height = 0;
};
FaceExtent RendererExtent(FT_Face face);

struct GlyphCoverage {
  int left = 0, top = 0, width = 0, rows = 0;  // as GlyphMetrics
  std::vector<unsigned char> levels;            // width * rows, 0 (none) to 255 (full)
};

// How many columns the synthetic bold adds at the face's current size.
int EmboldenColumns(FT_Face face);

// Nothing when FreeType cannot load the glyph. A character the face lacks is its glyph 0, the
// face's own box for a missing character.
bool LoadGlyphMetrics(FT_Face face, char32_t c, bool embolden, GlyphMetrics& metrics);
bool RenderGlyph(FT_Face face, char32_t c, bool embolden, GlyphCoverage& coverage);

}  // namespace platform
