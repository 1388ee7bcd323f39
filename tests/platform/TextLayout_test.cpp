#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "TextTestSupport.h"
#include "platform/Platform.h"

namespace platform {
namespace {

using namespace std::string_literals;
using text_testing::Describe;
using text_testing::Paper;
using text_testing::WindowFont;

constexpr ColorRef kWhite = 0x00FFFFFF, kBlack = 0x00000000;

Rect Measure(const std::string& text, unsigned flags = DT_EXPANDTABS, int height = -12) {
  Rect r{3, 4, 50, 60};  // left and top stay, right and bottom become the size
  Canvas::Screen().DrawText(*CreateFont(WindowFont(height)), text, r, flags | DT_CALCRECT, 0);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

int WidthOf(const std::string& text) { return Measure(text, DT_NOPREFIX).right; }

TEST(TextLayout, MeasuresEachLineAndTheWidestOfThemAndDrawsWithinIt) {
  const int x = WidthOf("x"), ampersand = WidthOf("&");
  ASSERT_GT(x, 0);
  struct { const char* name; std::string text; unsigned flags; int width, height; } cases[] = {
      {"empty text is one empty line", "", DT_EXPANDTABS, 0, 12},
      {"plain", "TIME", DT_EXPANDTABS, 26, 12},
      {"prefix hides the ampersand", "TI&ME", DT_EXPANDTABS, 26, 12},
      {"double ampersand shows one", "TI&&ME", DT_EXPANDTABS, 26 + ampersand, 12},
      {"trailing ampersand shows nothing", "TIME&", DT_EXPANDTABS, 26, 12},
      {"ampersand before a break shows nothing", "TIME&\nA&", DT_EXPANDTABS, 26, 24},
      {"no prefix keeps every ampersand", "TI&&ME&", DT_EXPANDTABS | DT_NOPREFIX, 26 + 3 * ampersand, 12},
      {"tab at the start goes to 8 average widths", "\tx", DT_EXPANDTABS, 40 + x, 12},
      {"tab after short text goes to the same stop", "TIME\tx", DT_EXPANDTABS, 40 + x, 12},
      {"tab after text past a stop goes to the next", "Version 0.981216\tx", DT_EXPANDTABS, 120 + x, 12},
      {"two tabs", "\t\t", DT_EXPANDTABS, 80, 12},
      {"unexpanded tab is a character", "\tx", 0, WidthOf("\t") + x, 12},
      {"CR LF is one break", "TIME\r\nSCORE", DT_EXPANDTABS, 38, 24},
      {"CR alone breaks", "TIME\rSCORE", DT_EXPANDTABS, 38, 24},
      {"LF alone breaks", "SCORE\nTIME\nLEVEL", DT_EXPANDTABS, 38, 36},
      {"LF CR is two breaks", "TIME\n\rx", DT_EXPANDTABS, 26, 36},
      {"a break at the end opens no line", "TIME\r\n", DT_EXPANDTABS, 26, 12},
      {"an empty line between breaks counts", "\n\nx", DT_EXPANDTABS, x, 36},
      {"tab stops restart on each line", "TIME\nx\tx", DT_EXPANDTABS, 40 + x, 24},
      {"zero byte ends the text", "TIME\0SCORE\nX"s, DT_EXPANDTABS, 26, 12},
      {"Shift-JIS kanji", "\xC0\xB2\xCF\xB0\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1",
       DT_EXPANDTABS, 6 + 7 + 7 + 8 + 10 + 12 + 12 + 11 + 10 + 11 + 12 + 12, 12},
      {"half-width katakana", "\xB1\xB2\xB3", DT_EXPANDTABS, 7 + 7 + 8, 12},
      {"prefix before a kanji", "&\x8E\xE6", DT_EXPANDTABS, 12, 12},
  };
  const FontPtr font = CreateFont(WindowFont(-12));
  for (const auto& c : cases) {
    const Rect size = Measure(c.text, c.flags);
    EXPECT_EQ(size.left, 3) << c.name;
    EXPECT_EQ(size.top, 4) << c.name;
    EXPECT_EQ(size.right, c.width) << c.name;
    EXPECT_EQ(size.bottom, c.height) << c.name;

    // Drawn the same way, the text leaves ink, and only inside the size it measured.
    Paper paper(200, 60, kWhite);
    Rect room{3, 4, 200, 60};
    paper.canvas().DrawText(*font, c.text, room, c.flags, kBlack);
    const Rect ink = paper.InkBounds();
    const bool blank = c.text.find_first_not_of("\t\r\n") == std::string::npos;
    EXPECT_EQ(ink.right > ink.left, !blank) << c.name << ": " << Describe(ink);
    if (blank) continue;
    EXPECT_GE(ink.left, 3) << c.name << ": " << Describe(ink);
    EXPECT_GE(ink.top, 4) << c.name << ": " << Describe(ink);
    EXPECT_LE(ink.right, 3 + c.width) << c.name << ": " << Describe(ink);
    EXPECT_LE(ink.bottom, 4 + c.height) << c.name << ": " << Describe(ink);
  }
}

TEST(TextLayout, DrawingReturnsTheMeasuredHeightAndMeasuringDrawsNothing) {
  Paper paper(80, 40, kWhite);
  const FontPtr font = CreateFont(WindowFont(-12));
  Rect measured{0, 0, 80, 40};
  EXPECT_EQ(paper.canvas().DrawText(*font, "A\nB", measured, DT_CALCRECT, kBlack), 24);
  EXPECT_EQ(Describe(paper.InkBounds(0)), Describe(Rect{})) << "measuring must not draw";
  Rect r{0, 0, 80, 40};
  EXPECT_EQ(paper.canvas().DrawText(*font, "A\nB", r, 0, kBlack), 24);
  EXPECT_EQ(Describe(r), Describe(Rect{0, 0, 80, 40})) << "drawing must not change the rectangle";
  EXPECT_EQ(Canvas::Screen().DrawText(*font, "A\nB", r, 0, kBlack), 24) << "the screen only measures";
}

TEST(TextLayout, DrawnTextFillsTheMeasuredRectangleWithTheBaselineAtTheAscent) {
  Paper paper(120, 60, kWhite);
  const FontPtr font = CreateFont(WindowFont(-12));
  Rect r{10, 20, 120, 60};
  paper.canvas().DrawText(*font, "HI-SCORE\nTIME", r, DT_LEFT, kBlack);
  const Rect ink = paper.InkBounds();
  // Capitals stand on the baseline at top + ascent (10) and never reach past the measured 55.
  EXPECT_GE(ink.left, 10) << Describe(ink);
  EXPECT_LE(ink.left, 10 + 1) << Describe(ink);
  EXPECT_GE(ink.right, 10 + 55 - 2) << Describe(ink);
  EXPECT_LE(ink.right, 10 + 55) << Describe(ink);
  EXPECT_EQ(ink.bottom, 20 + 12 + 10) << "second line's baseline; " << Describe(ink);
  EXPECT_GE(ink.top, 20 + 1) << Describe(ink);
  EXPECT_LE(ink.top, 20 + 3) << Describe(ink);
}

TEST(TextLayout, MnemonicUnderlinesTheCharacterAfterTheAmpersand) {
  const FontPtr font = CreateFont(WindowFont(-12));
  const int ascent = GetTextMetrics(*font).ascent, x = WidthOf("x"), a = WidthOf("a");
  Paper plain(40, 12, kWhite), prefixed(40, 12, kWhite), doubled(40, 12, kWhite);
  Rect r{0, 0, 40, 12};
  plain.canvas().DrawText(*font, "ax", r, 0, kBlack);
  prefixed.canvas().DrawText(*font, "a&x", r, 0, kBlack);
  doubled.canvas().DrawText(*font, "a&&x", r, 0, kBlack);

  const int underlineRow = ascent + 1;
  for (int column = 0; column < 40; ++column) {
    const bool underx = column >= a && column < a + x;
    EXPECT_EQ(prefixed.Ink(column, underlineRow), underx ? 255 : plain.Ink(column, underlineRow))
        << "column " << column << " of row " << underlineRow;
    for (int row = 0; row < ascent; ++row) {
      EXPECT_EQ(prefixed.Ink(column, row), plain.Ink(column, row)) << "glyphs moved at " << column << "," << row;
    }
  }
  EXPECT_EQ(doubled.InkBounds().right, plain.InkBounds().right + WidthOf("&")) << "&& shows one ampersand";
  for (int column = 0; column < 40; ++column) EXPECT_LT(doubled.Ink(column, underlineRow), 128) << column;
}

TEST(TextLayout, NothingIsDrawnOutsideTheClipOrTheRectangle) {
  Paper paper(60, 40, kWhite);
  const FontPtr font = CreateFont(WindowFont(-12));
  SDL_Rect before;
  SDL_GetClipRect(paper.surface(), &before);

  const Canvas label = paper.canvas().Within({10, 5, 30, 15});  // 20 x 10, shorter than a line
  Rect r{0, 0, 20, 10};
  label.DrawText(*font, "WWWWWW\nWWWWWW", r, 0, kBlack);
  label.FillRect({-5, -5, 100, 2}, 0x000000FF);  // only the part inside the label shows
  Rect wide{-20, -20, 80, 80};
  Canvas narrow = label.Within({0, 0, 5, 5});
  narrow.DrawText(*font, "WWW", wide, 0, kBlack);

  const Rect ink = paper.InkBounds(0);
  EXPECT_GE(ink.left, 10) << Describe(ink);
  EXPECT_GE(ink.top, 5) << Describe(ink);
  EXPECT_LE(ink.right, 30) << Describe(ink);
  EXPECT_LE(ink.bottom, 15) << Describe(ink);
  EXPECT_EQ(testing::PixelAt(paper.canvas(), 10, 5), 0x000000FFu);
  EXPECT_EQ(testing::PixelAt(label, 0, 0), 0x000000FFu) << "PixelAt reads in the canvas's own coordinates";
  EXPECT_EQ(testing::PixelAt(paper.canvas(), 60, 0), 0xFFFFFFFFu) << "outside the surface";

  SDL_Rect after;
  SDL_GetClipRect(paper.surface(), &after);
  EXPECT_TRUE(SDL_RectEquals(&before, &after)) << "the surface's clip is put back";
}

// The fill writes 32-bit pixels itself and leaves other depths to SDL: either way exactly the
// rectangle's part inside the canvas clip and the surface changes, edges included.
TEST(TextLayout, AFillCoversExactlyTheClippedRectangleInEveryPixelFormat) {
  for (const Uint32 format : {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_ARGB8888, SDL_PIXELFORMAT_RGB565,
                              SDL_PIXELFORMAT_RGB24}) {
    SCOPED_TRACE(SDL_GetPixelFormatName(format));
    Paper paper(31, 17, kWhite, format);
    Canvas shifted = paper.canvas().Within({3, 2, 29, 17});
    shifted.clip = {1, 1, 30, 12};              // wider than the surface leaves room for
    shifted.FillRect({-4, 0, 40, 40}, kBlack);
    for (int y = 0; y < paper.height(); ++y) {
      for (int x = 0; x < paper.width(); ++x) {
        const bool inside = x >= 4 && x < 31 && y >= 3 && y < 14;
        ASSERT_EQ(testing::PixelAt(paper.canvas(), x, y), inside ? kBlack : kWhite) << x << "," << y;
      }
    }
  }
}

TEST(TextLayout, AlignedLinesSitWhereTheyShould) {
  const FontPtr font = CreateFont(WindowFont(-29));
  const int width = Measure("20", 0, -29).right;
  struct { const char* name; Rect label; unsigned flags; int expectedLeft; } cases[] = {
      {"right aligned ends at the right edge", {0, 0, 50, 29}, DT_RIGHT, 50 - width},
      {"centred, odd leftover rounds left", {0, 0, 41, 29}, DT_CENTER, (41 - width) / 2},
      {"centred and too wide: cut on both sides", {0, 0, 20, 29}, DT_CENTER, (20 - width) / 2},
      {"right aligned and too wide: cut on the left", {0, 0, 20, 29}, DT_RIGHT, 20 - width},
  };
  for (const auto& c : cases) {
    // The aligned text inside the label must equal the same text drawn left-aligned at the
    // expected place on an unclipped sheet, pixel for pixel, and leave the rest untouched.
    Paper aligned(100, 40, kWhite), reference(100, 40, kWhite);
    Rect label = c.label;
    aligned.canvas().Within({20, 5, 20 + label.right, 5 + label.bottom}).DrawText(*font, "20", label, c.flags, kBlack);
    Rect free{20 + c.expectedLeft, 5, 100, 40};
    reference.canvas().DrawText(*font, "20", free, DT_LEFT, kBlack);
    int mismatches = 0, outside = 0, inkInside = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 100; ++x) {
        const bool inside = x >= 20 && x < 20 + c.label.right && y >= 5 && y < 5 + c.label.bottom;
        if (inside && aligned.Ink(x, y) != reference.Ink(x, y)) ++mismatches;
        if (!inside && aligned.Ink(x, y) != 0) ++outside;
        if (inside && aligned.Ink(x, y) > 128) ++inkInside;
      }
    }
    EXPECT_EQ(mismatches, 0) << c.name;
    EXPECT_EQ(outside, 0) << c.name;
    EXPECT_GT(inkInside, 20) << c.name;
  }
}

TEST(TextLayout, DrawsInTheTextColourOnAnyPixelFormat) {
  const FontPtr font = CreateFont(WindowFont(-32));
  for (const Uint32 format : {SDL_PIXELFORMAT_XRGB8888, SDL_PIXELFORMAT_ABGR8888, SDL_PIXELFORMAT_RGB565,
                              SDL_PIXELFORMAT_RGB24}) {
    Paper paper(40, 40, kWhite, format);
    Rect r{0, 0, 40, 40};
    paper.canvas().DrawText(*font, "I", r, 0, 0x000000FF);  // red
    const Rect ink = paper.InkBounds();
    ASSERT_GT(ink.right, ink.left) << SDL_GetPixelFormatName(format);
    const ColorRef middle = testing::PixelAt(paper.canvas(), (ink.left + ink.right) / 2, (ink.top + ink.bottom) / 2);
    EXPECT_GE(middle & 0xFF, 0xF0u) << Hex(middle) << " on " << SDL_GetPixelFormatName(format);
    EXPECT_LE(middle >> 8 & 0xFF, 0x10u) << Hex(middle) << " on " << SDL_GetPixelFormatName(format);
    EXPECT_LE(middle >> 16 & 0xFF, 0x10u) << Hex(middle) << " on " << SDL_GetPixelFormatName(format);
    EXPECT_EQ(testing::PixelAt(paper.canvas(), 39, 39), kWhite) << "the background stays: " << SDL_GetPixelFormatName(format);
  }
}

TEST(TextLayout, CharactersTheFontLacksAreDrawnAsABox) {
  Paper paper(40, 20, kWhite);
  Rect r{0, 0, 40, 20};
  const std::string control = "\x01\x02";
  EXPECT_GT(Measure(control, 0).right, 0);
  paper.canvas().DrawText(*CreateFont(WindowFont(-12)), control, r, 0, kBlack);
  EXPECT_GT(paper.InkBounds().right, 0);
}

}  // namespace
}  // namespace platform
