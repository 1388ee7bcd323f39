#include "platform/sdl/OpenTypeMetrics.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "TextTestSupport.h"
#include "platform/Platform.h"
#include "platform/Testing.h"

namespace platform {
namespace {

std::vector<unsigned char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The tables of face `faceIndex` of a font file's bytes; nothing when FreeType cannot open it.
std::optional<OpenTypeMetrics> Read(const std::vector<unsigned char>& bytes, int faceIndex = 0) {
  static FT_Library library = [] {
    FT_Library made = nullptr;
    FT_Init_FreeType(&made);
    return made;
  }();
  FT_Face face = nullptr;
  if (faceIndex < 0 || FT_New_Memory_Face(library, bytes.data(), static_cast<FT_Long>(bytes.size()), faceIndex, &face) != 0) {
    return std::nullopt;
  }
  const auto metrics = ReadOpenTypeMetrics(face);
  FT_Done_Face(face);
  return metrics;
}

TEST(OpenTypeMetrics, ReadsTheTablesOfTheFontsInUse) {
  // The window font, and what stands in for it where it is missing.
  const auto ume = Read(FileBytes(testing::FontFileOf(*CreateFont(text_testing::WindowFont(-12)))));
  ASSERT_TRUE(ume);
  EXPECT_EQ(ume->unitsPerEm, 4096);
  EXPECT_EQ(ume->winAscent, 3520);
  EXPECT_EQ(ume->winDescent, 576);
  EXPECT_EQ(ume->averageCharWidth, 1714);
  const auto ipa = Read(FileBytes("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf"));
  ASSERT_TRUE(ipa);
  EXPECT_EQ(ipa->unitsPerEm, 2048);
  EXPECT_EQ(ipa->winAscent + ipa->winDescent, 2203);
}

TEST(OpenTypeMetrics, RejectsWhatIsNotAFont) {
  const std::vector<unsigned char> text{'h', 'e', 'l', 'l', 'o'};
  EXPECT_FALSE(Read(text));
  EXPECT_FALSE(Read({}));
  const auto font = FileBytes(testing::FontFileOf(*CreateFont(text_testing::WindowFont(-12))));
  EXPECT_FALSE(Read(font, 1)) << "a single font has no second face";
  EXPECT_FALSE(Read(font, -1));
  EXPECT_FALSE(Read({font.begin(), font.begin() + 64})) << "the table directory is cut short";
}

TEST(OpenTypeMetrics, ScalesAscentAndDescentEachRoundedOnItsOwn) {
  const OpenTypeMetrics ume{4096, 3520, 576, 1714, -96, 48};
  struct { int em, ascent, descent, average; } cases[] = {
      {12, 10, 2, 5},   // 10.31 + 1.69: the line is 12, not 11 or 13
      {29, 25, 4, 12},  // 24.92 + 4.08
      {32, 28, 5, 13},  // 27.5 + 4.5: halves go up, so the line is 33
      {96, 83, 14, 40},
  };
  for (const auto& c : cases) {
    const ScaledMetrics scaled = ScaleMetrics(ume, c.em);
    EXPECT_EQ(scaled.ascent, c.ascent) << "em " << c.em;
    EXPECT_EQ(scaled.descent, c.descent) << "em " << c.em;
    EXPECT_EQ(scaled.averageCharWidth, c.average) << "em " << c.em;
    EXPECT_GE(scaled.underlineOffset, 1) << "em " << c.em;
    EXPECT_LE(scaled.underlineOffset + scaled.underlineThickness, c.descent) << "underline leaves the line, em " << c.em;
  }
}

TEST(OpenTypeMetrics, PositiveHeightsGiveTheCellNegativeTheEm) {
  const OpenTypeMetrics ipa{2048, 1802, 401, 956, -246, 104};  // cell 2203 units
  EXPECT_EQ(EmPixelsForHeight(ipa, -24), 24);
  EXPECT_EQ(EmPixelsForHeight(ipa, 24), 22);  // 24 * 2048 / 2203 = 22.3
  EXPECT_EQ(EmPixelsForHeight(ipa, 13), 12);  // 12.09
  EXPECT_EQ(EmPixelsForHeight(ipa, 1), 1);
  EXPECT_EQ(EmPixelsForHeight(ipa, 0), 12);
}

}  // namespace
}  // namespace platform
