// Drawing on a window's canvas through its 2D context, in device pixels: fills are whole-pixel
// rectangles (exact colours), text is laid out by the shared rules and drawn glyph by glyph at
// whole-pixel pen positions, so that every character lands where the desktop puts it.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/TextLayout.h"
#include "platform/web/Font.h"
#include "platform/web/CodePage.h"
#include "platform/web/Windows.h"

EM_JS(void, quillet_fill, (int window, int left, int top, int width, int height, int rgb), {
  const context = QuilletPage.canvases[window].getContext('2d');
  context.fillStyle = QuilletPage.colour(rgb);
  context.fillRect(left, top, width, height);
});

// One line of glyphs, clipped to the rectangle given, each at its own pen position.
EM_JS(void, quillet_draw_glyphs,
      (int window, int clipLeft, int clipTop, int clipWidth, int clipHeight, int em, bool bold, int rgb, const int* glyphs,
       int count, int baseline),
      {
        const context = QuilletPage.canvases[window].getContext('2d');
        context.save();
        context.beginPath();
        context.rect(clipLeft, clipTop, clipWidth, clipHeight);
        context.clip();
        context.font = QuilletPage.font(em, bold);
        context.textBaseline = 'alphabetic';
        context.fillStyle = QuilletPage.colour(rgb);
        for (let i = 0; i < count; ++i) {
          const at = (glyphs >> 2) + 2 * i;
          context.fillText(String.fromCodePoint(HEAP32[at]), HEAP32[at + 1], baseline);
        }
        context.restore();
      });

namespace platform {
namespace {

constexpr ColorRef kSystemColorFlag = 0x80000000;

int Rgb(ColorRef color) {
  // Tolerates a reference to a system colour, although callers resolve those themselves.
  if ((color & kSystemColorFlag) != 0) color = GetSysColor(static_cast<int>(color & 0xFF));
  return static_cast<int>(color & 0xFFFFFF);
}

// `area` in the canvas's coordinates, within its clip, in the window's.
Rect OnWindow(const Canvas& canvas, const Rect& area) {
  const Rect visible = IntersectRect(canvas.clip, area);
  return {visible.left + canvas.originX, visible.top + canvas.originY, visible.right + canvas.originX,
          visible.bottom + canvas.originY};
}

void Fill(int window, const Rect& r, int rgb) {
  if (!IsRectEmpty(r)) quillet_fill(window, r.left, r.top, r.right - r.left, r.bottom - r.top, rgb);
}

}  // namespace

void Canvas::FillRect(const Rect& r, ColorRef color) const {
  if (surface != nullptr) Fill(detail::WindowOf(*this), OnWindow(*this, r), Rgb(color));
}

int Canvas::DrawText(const Font& font, std::string_view text, Rect& r, unsigned flags, ColorRef color) const {
  const TextLayout layout = LayOutCharacters(font.Metrics(), [&font](char32_t c) { return font.Advance(c); },
                                             detail::DecodeAnsi(text), flags);
  if ((flags & DT_CALCRECT) != 0) {
    r.right = r.left + layout.width;
    r.bottom = r.top + layout.Height();
    return layout.Height();
  }
  if (surface == nullptr) return layout.Height();
  const Rect clipped = OnWindow(*this, r);
  if (IsRectEmpty(clipped)) return layout.Height();

  const int window = detail::WindowOf(*this), rgb = Rgb(color);
  const TextMetrics& metrics = font.Metrics();
  std::vector<int> glyphs;
  int top = r.top;
  for (const TextLine& line : layout.lines) {
    if (top >= r.bottom) break;  // the rest would be clipped away
    const int left = LineLeft(r, line.width, flags) + originX;
    const int baseline = top + originY + metrics.ascent;
    glyphs.clear();
    for (const PlacedGlyph& glyph : line.glyphs) {
      if (glyph.character == U' ') continue;  // nothing to draw
      glyphs.push_back(static_cast<int>(glyph.character));
      glyphs.push_back(left + glyph.x);
    }
    if (!glyphs.empty()) {
      quillet_draw_glyphs(window, clipped.left, clipped.top, clipped.right - clipped.left, clipped.bottom - clipped.top,
                          font.EmPixels(), font.Bold(), rgb, glyphs.data(), static_cast<int>(glyphs.size() / 2), baseline);
    }
    for (const UnderlineSpan& span : line.underlines) {
      const Rect bar{left + span.x, baseline + font.UnderlineOffset(), left + span.x + span.width,
                     baseline + font.UnderlineOffset() + font.UnderlineThickness()};
      Fill(window, IntersectRect(bar, clipped), rgb);
    }
    top += layout.lineHeight;
  }
  return layout.Height();
}

}  // namespace platform
