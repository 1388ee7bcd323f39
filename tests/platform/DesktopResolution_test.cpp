#include <gtest/gtest.h>

#include "platform/sdl/DesktopScale.h"


namespace platform::detail {
namespace {

TEST(DesktopResolutionTest, ReadsXftDpiFromTheResourceText) {
  const struct {
    const char* resources;
    int dpi;
  } cases[] = {
      {"Xft.antialias:\t1\nXft.dpi:\t120\nXft.hinting:\t1\n", 120},
      {"Xft.dpi:\t96\n", 96},
      {"Xft.dpi: 144.4", 144},
      {"Xcursor.size:\t24\n", 0},
      {"*Xft.dpi:\t120\n", 0},  // a pattern, not the resource itself
      {"Xft.dpi:\tlarge\n", 0},
      {"Xft.dpi:\t0\n", 0},
      {"Xft.dpi:\t100000\n", 0},
      {"", 0},
      {nullptr, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseXftDpi(c.resources), c.dpi) << (c.resources ? c.resources : "(none)");
  }
}

}  // namespace
}  // namespace platform::detail
