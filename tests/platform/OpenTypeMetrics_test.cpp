#include "platform/OpenTypeMetrics.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace platform {
namespace {

// Builds just enough of an sfnt file for the reader: head, OS/2 and post tables.
class SfntWriter {
 public:
  void U16(std::vector<unsigned char>& out, std::size_t at, int value) {
    out[at] = static_cast<unsigned char>(value >> 8 & 0xFF);
    out[at + 1] = static_cast<unsigned char>(value & 0xFF);
  }
  void U32(std::vector<unsigned char>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (24 - 8 * i) & 0xFF);
  }
  // Appends one face (table directory and tables) to `out`; returns where its directory starts.
  std::size_t AppendFace(std::vector<unsigned char>& out, int unitsPerEm, int ascent, int descent, int average) {
    const std::size_t directory = out.size();
    const std::size_t headAt = directory + 12 + 3 * 16, os2At = headAt + 54, postAt = os2At + 78;
    out.resize(postAt + 32, 0);
    U16(out, directory + 4, 3);
    const struct { const char* tag; std::size_t at, length; } tables[] = {
        {"head", headAt, 54}, {"OS/2", os2At, 78}, {"post", postAt, 32}};
    for (int i = 0; i < 3; ++i) {
      const std::size_t record = directory + 12 + static_cast<std::size_t>(i) * 16;
      for (int k = 0; k < 4; ++k) out[record + static_cast<std::size_t>(k)] = static_cast<unsigned char>(tables[i].tag[k]);
      U32(out, record + 8, static_cast<std::uint32_t>(tables[i].at));
      U32(out, record + 12, static_cast<std::uint32_t>(tables[i].length));
    }
    U16(out, headAt + 18, unitsPerEm);
    U16(out, os2At + 2, average);
    U16(out, os2At + 74, ascent);
    U16(out, os2At + 76, descent);
    U16(out, postAt + 8, -unitsPerEm / 10);
    U16(out, postAt + 10, unitsPerEm / 20);
    return directory;
  }
};

std::string WriteTemporary(const std::vector<unsigned char>& bytes, const char* name) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

TEST(OpenTypeMetrics, ReadsEachFaceOfACollection) {
  SfntWriter writer;
  std::vector<unsigned char> file(12 + 2 * 4, 0);
  writer.U32(file, 0, 0x74746366);  // 'ttcf'
  writer.U32(file, 8, 2);
  writer.U32(file, 12, static_cast<std::uint32_t>(writer.AppendFace(file, 1000, 880, 120, 500)));
  writer.U32(file, 16, static_cast<std::uint32_t>(writer.AppendFace(file, 2048, 1802, 401, 956)));
  const std::string path = WriteTemporary(file, "collection.ttc");

  const auto first = ReadOpenTypeMetrics(path, 0), second = ReadOpenTypeMetrics(path, 1);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->unitsPerEm, 1000);
  EXPECT_EQ(first->winAscent, 880);
  EXPECT_EQ(second->unitsPerEm, 2048);
  EXPECT_EQ(second->winDescent, 401);
  EXPECT_EQ(second->averageCharWidth, 956);
  EXPECT_EQ(second->underlinePosition, -204);
  EXPECT_FALSE(ReadOpenTypeMetrics(path, 2));
  std::remove(path.c_str());
}

TEST(OpenTypeMetrics, RejectsWhatIsNotAFont) {
  EXPECT_FALSE(ReadOpenTypeMetrics("/nonexistent/font.ttf", 0));
  const std::string text = WriteTemporary({'h', 'e', 'l', 'l', 'o'}, "not-a-font.ttf");
  EXPECT_FALSE(ReadOpenTypeMetrics(text, 0));
  std::remove(text.c_str());

  // A directory that promises a table beyond the end of the file.
  SfntWriter writer;
  std::vector<unsigned char> truncated;
  writer.AppendFace(truncated, 1000, 880, 120, 500);
  truncated.resize(truncated.size() - 40);
  const std::string cut = WriteTemporary(truncated, "truncated.ttf");
  EXPECT_FALSE(ReadOpenTypeMetrics(cut, 0));
  std::remove(cut.c_str());
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
