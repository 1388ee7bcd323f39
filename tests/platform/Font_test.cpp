#include <gtest/gtest.h>

#include <string>

#include "Hex.h"
#include "TextTestSupport.h"
#include "platform/Platform.h"

namespace platform {
namespace {

using text_testing::WindowFont;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int MeasuredWidth(const FontRequest& request, const std::string& text) {
  Rect r{0, 0, 0, 0};
  Canvas::Screen().DrawText(*CreateFont(request), text, r, DT_CALCRECT | DT_EXPANDTABS, 0);
  return r.right;
}

TEST(FontMapping, TheWindowFaceResolvesToUmePGothic) {
  EXPECT_PRED2(EndsWith, testing::FontFileOf(*CreateFont(WindowFont(-12))), "/ume-pgo4.ttf");
  // The fixed-pitch face has a fixed-pitch stand-in.
  const FontRequest gothic{"\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E", -12, 400, 128};
  EXPECT_PRED2(EndsWith, testing::FontFileOf(*CreateFont(gothic)), "/ume-tgo4.ttf");
}

TEST(FontMapping, AnUnknownFaceStillGivesAUsableFont) {
  for (const int charset : {1, 128}) {
    const FontPtr font = CreateFont({"No Such Face Anywhere", -16, 400, charset});
    ASSERT_NE(font, nullptr);
    EXPECT_FALSE(testing::FontFileOf(*font).empty()) << "charset " << charset;
    EXPECT_GT(GetTextMetrics(*font).height, 0) << "charset " << charset;
    EXPECT_GT(MeasuredWidth({"No Such Face Anywhere", -16, 400, charset}, "ABC"), 0) << "charset " << charset;
  }
  // With the Shift-JIS character set the stand-in must be able to show Japanese.
  const FontRequest japanese{"No Such Face Anywhere", -12, 400, 128};
  const std::string kanji = "\x8E\xE6\x93\xBE";  // 取得
  EXPECT_EQ(MeasuredWidth(japanese, kanji), 24) << testing::FontFileOf(*CreateFont(japanese));
}

TEST(FontMapping, EqualRequestsShareOneFont) {
  EXPECT_EQ(CreateFont(WindowFont(-29)), CreateFont(WindowFont(-29)));
  EXPECT_NE(CreateFont(WindowFont(-29)), CreateFont(WindowFont(-32)));
}

TEST(FontMapping, BoldWithoutABoldFaceIsSynthesised) {
  const FontPtr regular = CreateFont(WindowFont(-16)), bold = CreateFont(WindowFont(-16, 700));
  EXPECT_EQ(testing::FontFileOf(*bold), testing::FontFileOf(*regular)) << "the family has no bold face of its own";
  EXPECT_EQ(GetTextMetrics(*bold).height, GetTextMetrics(*regular).height);
  // Emboldening widens every character by one pixel, as the Windows simulation does.
  EXPECT_EQ(MeasuredWidth(WindowFont(-16, 700), "TIME"), MeasuredWidth(WindowFont(-16), "TIME") + 4);

  text_testing::Paper thin(80, 20, 0x00FFFFFF), thick(80, 20, 0x00FFFFFF);
  Rect r{0, 0, 80, 20};
  thin.canvas().DrawText(*regular, "IIII", r, 0, 0);
  thick.canvas().DrawText(*bold, "IIII", r, 0, 0);
  int thinInk = 0, thickInk = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 80; ++x) thinInk += thin.Ink(x, y), thickInk += thick.Ink(x, y);
  }
  EXPECT_GT(thickInk, thinInk * 5 / 4) << "regular ink " << thinInk << ", bold ink " << thickInk;
}

// The sizes and styles of one font file share a face that is switched between them, and each
// font keeps what it has drawn: neither a size, a style nor a colour may show up in another.
TEST(FontRendering, SizesStylesAndColoursOfOneFileStayApart) {
  const auto ink = [](const FontRequest& request, ColorRef color) {
    text_testing::Paper paper(120, 120, 0x00FFFFFF);
    Rect r{0, 0, 120, 120};
    paper.canvas().DrawText(*CreateFont(request), "@", r, 0, color);
    int most = -1;
    ColorRef darkest = 0;
    for (int y = 0; y < paper.height(); ++y) {
      for (int x = 0; x < paper.width(); ++x) {
        if (paper.Ink(x, y) > most) most = paper.Ink(x, y), darkest = testing::PixelAt(paper.canvas(), x, y);
      }
    }
    return std::pair{paper.InkBounds(), darkest};
  };
  // Each drawing follows one at another size or style.
  const auto big = ink(WindowFont(-96), 0), small = ink(WindowFont(-12), 0), bold = ink(WindowFont(-12, 700), 0);
  const auto smallAgain = ink(WindowFont(-12), 0), red = ink(WindowFont(-12), 0x000000FF);
  EXPECT_GT(big.first.bottom - big.first.top, 60) << text_testing::Describe(big.first);
  EXPECT_LE(small.first.bottom - small.first.top, 12) << text_testing::Describe(small.first);
  EXPECT_LE(small.first.right - small.first.left, 12) << text_testing::Describe(small.first);
  EXPECT_GT(bold.first.right - bold.first.left, small.first.right - small.first.left);
  EXPECT_EQ(text_testing::Describe(smallAgain.first), text_testing::Describe(small.first));
  EXPECT_EQ(text_testing::Describe(red.first), text_testing::Describe(small.first));
  EXPECT_GT(red.second & 0xFF, (red.second >> 8 & 0xFF) + 64) << "drawn in red, the darkest pixel is " << Hex(red.second);
}

TEST(FontMetrics, LineHeightsFollowTheFontFile) {
  struct { int height, lineHeight, ascent, average; } cases[] = {
      {-12, 12, 10, 5}, {-29, 29, 25, 12}, {-32, 33, 28, 13}, {-96, 97, 83, 40}, {12, 12, 10, 5},
  };
  for (const auto& c : cases) {
    const TextMetrics metrics = GetTextMetrics(*CreateFont(WindowFont(c.height)));
    EXPECT_EQ(metrics.height, c.lineHeight) << "height " << c.height;
    EXPECT_EQ(metrics.ascent, c.ascent) << "height " << c.height;
    EXPECT_EQ(metrics.ascent + metrics.descent, metrics.height) << "height " << c.height;
    EXPECT_EQ(metrics.averageCharWidth, c.average) << "height " << c.height;
  }
}

TEST(FontMetrics, CaptionsMeasureAsTheLayoutRecordsThem) {
  struct { int height; const char* text; int width, lineHeight; } cases[] = {
      {-12, "TIME", 26, 12},    {-12, "SCORE", 38, 12},    {-12, "LEVEL", 34, 12},
      {-12, "HI-SCORE", 55, 12}, {-12, "Version 0.981216", 87, 12},
      {-29, "0", 15, 29},       {-32, "20", 32, 33},
  };
  for (const auto& c : cases) {
    Rect r{0, 0, 15, 29};
    const int height = Canvas::Screen().DrawText(*CreateFont(WindowFont(c.height)), c.text, r,
                                                 DT_CALCRECT | DT_EXPANDTABS, 0);
    EXPECT_EQ(r.right, c.width) << '"' << c.text << "\" at " << c.height;
    EXPECT_EQ(r.bottom, c.lineHeight) << '"' << c.text << "\" at " << c.height;
    EXPECT_EQ(height, c.lineHeight) << '"' << c.text << "\" at " << c.height;
  }
}

}  // namespace
}  // namespace platform
