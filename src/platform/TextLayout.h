// Where each character of a text goes, worked out once for both measuring and drawing so that a
// measured rectangle is exactly the one the drawing fills.
#pragma once
#include <functional>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

namespace platform {

struct PlacedGlyph {
  char32_t character = 0;
  int x = 0;  // pen position from the start of the line
};

struct UnderlineSpan {
  int x = 0, width = 0;  // from the start of the line
};

struct TextLine {
  std::vector<PlacedGlyph> glyphs;
  std::vector<UnderlineSpan> underlines;
  int width = 0;
};

struct TextLayout {
  std::vector<TextLine> lines;  // never empty: an empty text is one empty line
  int width = 0;                // of the widest line
  int lineHeight = 0;
  int Height() const { return static_cast<int>(lines.size()) * lineHeight; }
};

// Lays out decoded text, up to its first zero, as DrawText does with `flags` (DT_EXPANDTABS and
// DT_NOPREFIX matter here; alignment is the caller's business), given the font's metrics and how
// far the pen moves for each character in whole pixels:
// - CR, LF and CR LF each end a line; a break at the very end of the text opens no new line;
// - with DT_EXPANDTABS a tab moves to the next multiple of eight average character widths;
// - unless DT_NOPREFIX, "&x" hides the "&" and underlines x, "&&" shows one "&" and a lone "&"
//   at the end of a line shows nothing.
TextLayout LayOutCharacters(const TextMetrics& metrics, const std::function<int(char32_t)>& advance,
                            std::u32string_view characters, unsigned flags);
// Where a line of `lineWidth` pixels starts in `r`, as DT_LEFT, DT_CENTER or DT_RIGHT in `flags` place it.
int LineLeft(const Rect& r, int lineWidth, unsigned flags);

}  // namespace platform
