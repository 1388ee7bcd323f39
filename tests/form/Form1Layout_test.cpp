#include "Form1Layout.h"

#include <fstream>
#include <sstream>

#include "window/FormDump.h"
#include "window/Headless.h"

namespace {
std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
}  // namespace

class Form1LayoutTest : public HeadlessTest {};

// Regenerate after a deliberate layout change with QUILLET_UPDATE_EXPECTED=1.
TEST_F(Form1LayoutTest, TheBuiltWindowMatchesTheExpectedDump) {
  TForm form(Form1Layout());
  const std::string path = std::string(QUILLET_TEST_DATA) + "/Form1Layout.expected.txt";
  const std::string actual = Dump(form, Form1Layout());
  if (std::getenv("QUILLET_UPDATE_EXPECTED")) std::ofstream(path) << actual;
  EXPECT_EQ(actual, ReadFile(path));
}

TEST_F(Form1LayoutTest, SelfSizingLabelsMeasureTheirRecordedSizesInTheWindowFont) {
  TForm form(Form1Layout());
  ASSERT_NE(platform::testing::FontFileOf(*form.Font.Handle()).find("ume-pgo4.ttf"), std::string::npos)
      << "the window font is not installed: " << platform::testing::FontFileOf(*form.Font.Handle());
  struct Case { const char* label; int left, top, width, height; };
  const Case cases[] = {
      {"Label9", 180, 0, 26, 12},   {"Label10", 40, 46, 38, 12}, {"Label11", 176, 46, 34, 12},
      {"Label13", 24, 0, 55, 12},   {"Label7", 120, 184, 87, 12}, {"Label4", 192, 60, 15, 29},
      {"Label8", 64, 60, 15, 29},   {"Label12", 64, 14, 15, 29}, {"Label5", 176, 14, 32, 33},
  };
  for (const auto& c : cases) {
    const TLabel& label = *form.FindLabel(c.label);
    EXPECT_EQ(label.Left(), c.left) << c.label;
    EXPECT_EQ(label.Top(), c.top) << c.label;
    EXPECT_EQ(label.Width(), c.width) << c.label;
    EXPECT_EQ(label.Height(), c.height) << c.label;
  }
  const TLabel& credit = *form.FindLabel("Label6");
  EXPECT_LE(credit.Left() + credit.Width(), 212) << "the credit line fits the window";
}

// -29 px at 96 ppi is 22 pt, which a display whose "0" is 13 px high makes 24 pt = 32 px.
TEST(ScaleLayoutTest, ThirteenPixelZeroAt96Ppi) {
  const FormLayout scaled = ScaleLayout(Form1Layout(), 96, [](const TFont&) { return 13; });
  EXPECT_EQ(scaled.font.Height, -12) << "the window font follows the resolution only";
  EXPECT_EQ(scaled.clientWidth, 230);  // 212 x 13 / 12 = 229.67
  EXPECT_EQ(scaled.clientHeight, 230);
  const LabelLayout& letter = scaled.labels[0];  // 88,0 73x97 -> edges 88,0,161,97
  EXPECT_EQ(letter.left, 95);                    // 88 x 13/12 = 95.33
  EXPECT_EQ(letter.top, 0);
  EXPECT_EQ(letter.width, 174 - 95);             // 161 x 13/12 = 174.42
  EXPECT_EQ(letter.height, 105);                 // 97 x 13/12 = 105.08
  EXPECT_EQ(letter.font.Height, -104);           // 96 px = 72 pt; 72 x 13/12 = 78 pt; 78 x 96/72 = 104
  const LabelLayout& level = scaled.labels[3];   // -29 px
  EXPECT_EQ(level.font.Height, -32);             // 29 x 72/96 = 21.75 -> 22 pt; 22 x 13/12 = 23.83 -> 24; 24 x 4/3 = 32
  const LabelLayout& echo = scaled.labels[2];    // -37 px
  EXPECT_EQ(echo.font.Height, -40);              // 27.75 -> 28 pt; 30.33 -> 30; 40
  EXPECT_EQ(scaled.labels[6].font.Height, -12) << "window-font labels follow the window font";
}

TEST(ScaleLayoutTest, HigherResolutions) {
  struct Case { int resolution, windowFont, zero, client, letterLeft, letterRight, letterFont, levelFont; };
  const Case cases[] = {
      // 120 ppi: -12 x 120/96 = -15; "0" measures 15; x 15/12
      //   212 -> 265; 88 -> 110; 161 -> 201.25 -> 201;
      //   -96: 96 x 72/120 = 57.6 -> 58 pt; x 1.25 = 72.5 -> 73 pt; 73 x 120/72 = 121.67 -> -122
      //   -29: 17.4 -> 17 pt; 21.25 -> 21; 35 -> -35
      {120, -15, 15, 265, 110, 201, -122, -35},
      // 144 ppi: -18; "0" 18; x 1.5: 212 -> 318; 88 -> 132; 161 -> 241.5 -> 242;
      //   -96: 48 pt; 72 pt; 144 -> -144.   -29: 14.5 -> 15 pt (half away from zero); 22.5 -> 23; 46 -> -46
      {144, -18, 18, 318, 132, 242, -144, -46},
  };
  for (const auto& c : cases) {
    const FormLayout scaled = ScaleLayout(Form1Layout(), c.resolution, [&](const TFont& font) {
      EXPECT_EQ(font.Height, c.windowFont);
      return c.zero;
    });
    EXPECT_EQ(scaled.font.Height, c.windowFont) << c.resolution;
    EXPECT_EQ(scaled.clientWidth, c.client) << c.resolution;
    EXPECT_EQ(scaled.labels[0].left, c.letterLeft) << c.resolution;
    EXPECT_EQ(scaled.labels[0].left + scaled.labels[0].width, c.letterRight) << c.resolution;
    EXPECT_EQ(scaled.labels[0].font.Height, c.letterFont) << c.resolution;
    EXPECT_EQ(scaled.labels[3].font.Height, c.levelFont) << c.resolution;
  }
}

TEST_F(Form1LayoutTest, TheWindowBuiltAt120PpiUsesTheMeasuredFont) {
  platform::testing::SetLogicalResolution(120);
  TForm form(Form1Layout());
  platform::testing::SetLogicalResolution(0);
  EXPECT_EQ(form.Font.Height, -15);
  const int zero = MeasureTextHeight(form.Font);
  EXPECT_EQ(form.ClientWidth(), platform::MulDiv(212, zero, 12));
  EXPECT_EQ(form.FindLabel("Label1")->Left(), platform::MulDiv(88, zero, 12));
  EXPECT_EQ(form.FindLabel("Label5")->Left() + form.FindLabel("Label5")->Width(), platform::MulDiv(208, zero, 12))
      << "the right edge is scaled, then the label settles on it";
}

// At 96 ppi in the window font nothing moves by a pixel; at the common desktop scales, and in
// whatever face stands in for the window font (run again with other fonts by ctest), every
// caption that sizes itself settles inside the window, which grows where one would be cut off.
TEST_F(Form1LayoutTest, EverySelfSizingCaptionIsInsideTheWindowAtEachDesktopScale) {
  for (const int resolution : {96, 120, 144, 192}) {
    SCOPED_TRACE(resolution);
    platform::testing::SetLogicalResolution(resolution);
    TForm form(Form1Layout());
    platform::testing::SetLogicalResolution(0);
    const int zero = MeasureTextHeight(form.Font);
    EXPECT_GE(form.ClientWidth(), platform::MulDiv(212, zero, 12));
    EXPECT_GE(form.ClientHeight(), platform::MulDiv(212, zero, 12));
    if (resolution == 96 && zero == 12) {
      EXPECT_EQ(form.ClientWidth(), 212);
      EXPECT_EQ(form.ClientHeight(), 212);
    }
    for (const auto& label : form.Labels()) {
      if (!label->AutoSize) continue;
      EXPECT_GE(label->Left(), 0) << label->Name;
      EXPECT_LE(label->Left() + label->Width(), form.ClientWidth()) << label->Name;
      EXPECT_LE(label->Top() + label->Height(), form.ClientHeight()) << label->Name;
    }
  }
}

// A resolution that changes under a running window (a zoom in the page) lays it out as it would
// have been built there, keeping the captions the game has shown since.
TEST_F(Form1LayoutTest, AWindowToldOfANewResolutionIsTheWindowBuiltThere) {
  TForm moved(Form1Layout());
  moved.FindLabel("Label8")->SetCaption("12345");
  moved.FindLabel("Label2")->SetCaption("GOOD !");
  for (const int resolution : {144, 192, 96}) {
    SCOPED_TRACE(resolution);
    platform::testing::SetLogicalResolution(resolution);
    moved.WndProc({platform::Msg::DpiChanged, moved.Handle(), static_cast<std::uint32_t>(resolution), 0});
    TForm built(Form1Layout());
    built.FindLabel("Label8")->SetCaption("12345");
    built.FindLabel("Label2")->SetCaption("GOOD !");
    EXPECT_EQ(Dump(moved, Form1Layout()), Dump(built, Form1Layout()));
    platform::testing::SetLogicalResolution(0);
  }
}
