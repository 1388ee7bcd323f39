#include "window/XpmIcon.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using platform::ColorRef;
using Strings = std::vector<const char*>;

// Parses through the bounded form and returns the message it rejects the image with.
std::string Rejection(const Strings& xpm) {
  try {
    IconFromXpm(std::span<const char* const>(xpm));
  } catch (const std::invalid_argument& e) {
    return e.what();
  }
  return "(accepted)";
}

TEST(XpmIcon, ReadsColoursTransparencyAndRowsTopFirst) {
  static const char* const xpm[] = {
      "3 2 3 1",
      "  c None",
      "r c #FF8000",
      "b c #0a0B0c",
      "r b",
      " br",
  };
  const std::vector<ColorRef> expected = {0x000080FF, kTransparentPixel, 0x000C0B0A,
                                          kTransparentPixel, 0x000C0B0A, 0x000080FF};
  for (const platform::Icon& icon : {IconFromXpm(xpm), IconFromXpm(std::span<const char* const>(xpm))}) {
    EXPECT_EQ(icon.width, 3);
    EXPECT_EQ(icon.height, 2);
    EXPECT_EQ(icon.pixels, expected);
  }
}

TEST(XpmIcon, ReadsWiderKeysAHotSpotAndOtherVisuals) {
  static const char* const xpm[] = {
      "2 1 2 2 1 0",
      ".. s background m white c none",
      "#a m black c #123456 g4 #000000",
      "#a..",
  };
  EXPECT_EQ(IconFromXpm(xpm).pixels, (std::vector<ColorRef>{0x00563412, kTransparentPixel}));
}

TEST(XpmIcon, RejectsMalformedImagesSayingWhatIsWrong) {
  struct Case { Strings xpm; std::string says; };
  const std::vector<Case> cases = {
      {{"2 2 1 1", "a c #000000", "aa"}, "1 pixel rows, but the header says 2"},
      {{"2 1 1 1", "a c #000000", "aa", "aa"}, "2 pixel rows, but the header says 1"},
      {{"2 1 3 1", "a c #000000"}, "too few"},
      {{"2 2 1 1", "a c #000000", "aa", "a"}, "row 1 is 1 characters long, expected 2"},
      {{"2 1 1 1", "a c #000000", "aaa"}, "row 0 is more than 2"},
      {{"2 1 1 2", "aa c #000000", "aaa"}, "row 0 is 3"},
      {{"2 1 1 1", "a c #000000", "ab"}, "column 1: unknown colour key 'b'"},
      {{"1 1 1 1", "a c #000000", "\x01"}, "unknown colour key '\\x01'"},
      {{"2 1 1", "a c #000000", "aa"}, "is not \"WIDTH HEIGHT"},
      {{"2 x 1 1", "a c #000000", "aa"}, "height 'x' is not a number"},
      {{"2 1x 1 1", "a c #000000", "aa"}, "height '1x' is not a number"},
      {{"0 1 1 1", "a c #000000"}, "width '0' is outside"},
      {{"-1 1 1 1", "a c #000000"}, "width '-1' is outside 1..1024"},
      {{"99999999999 1 1 1", "a c #000000", "a"}, "'99999999999' is outside"},
      {{"1 1 1 1 5 0", "a c #000000", "a"}, "hot spot x '5' is outside"},
      {{"1 1 1 1 XPMEXT", "a c #000000", "a"}, "is not \"WIDTH HEIGHT"},
      {{"1 1 1 2", "a", "a"}, "shorter than its key"},
      {{"1 1 1 1", "a m #000000", "a"}, "has no c value"},
      {{"1 1 1 1", "a c", "a"}, "no value after 'c'"},
      {{"1 1 1 1", "a q #000000", "a"}, "'q' where c, m, g4, g or s belongs"},
      {{"1 1 1 1", "a c red", "a"}, "value 'red'"},
      {{"1 1 1 1", "a c #FFF", "a"}, "value '#FFF'"},
      {{"1 1 1 1", "a c #12345G", "a"}, "value '#12345G'"},
      {{"1 1 1 1", "a c light blue", "a"}, "value 'light blue'"},
      {{"1 1 2 1", "a c #000000", "a c None", "a"}, "'a' is defined twice"},
      {{"1 1 1 1", nullptr, "a"}, "string 1 is a null pointer"},
      {{}, "no header"},
  };
  for (const Case& c : cases) {
    const std::string message = Rejection(c.xpm);
    EXPECT_NE(message.find(c.says), std::string::npos) << "got: " << message << "\nwanted: " << c.says;
  }
}

TEST(XpmIcon, TheUnboundedFormStopsAtANullInsteadOfFollowingIt) {
  static const char* const xpm[] = {"1 3 1 1", "a c #000000", "a", nullptr};
  EXPECT_THROW(IconFromXpm(xpm), std::invalid_argument);
  EXPECT_THROW(IconFromXpm(static_cast<const char* const*>(nullptr)), std::invalid_argument);
}

TEST(XpmIcon, TheMainIconIsA32PixelSquareOfAFewColoursMostlyDrawn) {
  const platform::Icon& icon = MainIcon();
  EXPECT_EQ(&icon, &MainIcon());
  ASSERT_EQ(icon.width, 32);
  ASSERT_EQ(icon.height, 32);
  ASSERT_EQ(icon.pixels.size(), 32u * 32u);
  const std::set<ColorRef> colours(icon.pixels.begin(), icon.pixels.end());
  EXPECT_LE(colours.size(), 16u);
  for (const ColorRef c : colours) EXPECT_TRUE(c == kTransparentPixel || (c >> 24) == 0) << std::hex << c;
  std::size_t opaque = 0;
  for (const ColorRef c : icon.pixels) opaque += c != kTransparentPixel;
  EXPECT_GE(opaque * 4, icon.pixels.size());
}

}  // namespace
