#include <map>

#include "Hex.h"
#include "window/Headless.h"
#include "Form1Layout.h"
#include "window/TForm.h"

namespace {

// The colour most of a label's rectangle shows: its background, whatever its text.
platform::ColorRef BackgroundOf(platform::WindowHandle window, const TLabel& label) {
  std::map<platform::ColorRef, int> counts;
  for (int y = label.Top(); y < label.Top() + label.Height(); ++y) {
    for (int x = std::max(label.Left(), 0); x < label.Left() + label.Width(); ++x) {
      ++counts[platform::testing::PixelAt(platform::testing::WindowCanvas(window), x, y)];
    }
  }
  return std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
}

}  // namespace

class Form1PixelsTest : public HeadlessTest {
 protected:
  TForm form{Form1Layout()};
  void SetUp() override {
    HeadlessTest::SetUp();
    form.Show();
    ProcessMessages();
  }
};

TEST_F(Form1PixelsTest, InEveryPhaseColourTheLabelsFollowTheWindowButTheNumberBoxesStayWhite) {
  struct Case { TColor color; platform::ColorRef drawn; };
  const Case cases[] = {{clBtnFace, platform::GetSysColor(15)}, {clLime, 0x0000FF00}, {clRed, 0x000000FF},
                        {clAqua, 0x00FFFF00}};
  for (const auto& c : cases) {
    form.SetColor(c.color);
    ProcessMessages();
    for (const auto& label : form.Labels()) {
      const bool white = label->Name == "Label8" || label->Name == "Label12";
      EXPECT_EQ(BackgroundOf(form.Handle(), *label), white ? 0x00FFFFFFu : c.drawn)
          << label->Name << " in colour " << Hex(c.color);
    }
  }
}

TEST_F(Form1PixelsTest, AFiveDigitScoreGrowsLeftInAWhiteBoxAsWideAsItsDigits) {
  TLabel& score = *form.FindLabel("Label8");
  const int oneDigit = score.Width();
  score.SetCaption("12345");
  ProcessMessages();
  EXPECT_EQ(score.Left() + score.Width(), 79);
  EXPECT_EQ(score.Width(), 5 * oneDigit);
  const platform::ColorRef face = platform::GetSysColor(15);
  for (int y = score.Top(); y < score.Top() + score.Height(); y += 7) {
    EXPECT_EQ(Pixel(form.Handle(), score.Left(), y), 0x00FFFFFFu) << "left edge of the box, y " << y;
    EXPECT_EQ(Pixel(form.Handle(), score.Left() - 1, y), face) << "just outside it, y " << y;
    EXPECT_EQ(Pixel(form.Handle(), 79, y), face) << "right of the anchor, y " << y;
  }
  score.SetCaption("1234567890123");  // wider than the window: cut off at its left edge
  ProcessMessages();
  EXPECT_LT(score.Left(), 0);
  EXPECT_EQ(Pixel(form.Handle(), 0, score.Top()), 0x00FFFFFFu);
}

// Where two rectangles meet, the later label is painted over the earlier one. Label11 is given a
// colour of its own here so that its row over the TIME value can be seen.
TEST(Form1PaintOrderTest, TheBottomRowOfTheTimeValueLiesUnderTheLevelCaption) {
  FormLayout layout = Form1Layout();
  for (LabelLayout& label : layout.labels) {
    if (label.name == "Label11") label.parentColor = false, label.color = clRed;
    if (label.name == "Label5") label.parentColor = false, label.color = clLime;
  }
  HeadlessSession session;
  TApplication app;
  TForm form(layout);
  form.Show();
  ProcessMessages(app);
  const TLabel& time = *form.FindLabel("Label5");
  ASSERT_EQ(time.Top() + time.Height(), 47);
  // Counts the pixels of one of Label5's rows in a colour.
  const auto inRow = [&](int y, platform::ColorRef color) {
    int count = 0;
    for (int x = time.Left(); x < time.Left() + time.Width(); ++x) {
      count += platform::testing::PixelAt(platform::testing::WindowCanvas(form.Handle()), x, y) == color;
    }
    return count;
  };
  EXPECT_EQ(inRow(45, 0x0000FF00), time.Width()) << "the row above is Label5's own";
  EXPECT_EQ(inRow(46, 0x0000FF00), 0) << "Label11 (red, with the tops of its letters) covers this row";
  EXPECT_GT(inRow(46, 0x000000FF), 0);
  // Repainting only the TIME value still puts the caption back over it.
  form.FindLabel("Label5")->SetCaption("19");
  ProcessMessages(app);
  EXPECT_EQ(inRow(46, 0x0000FF00), 0);
}
