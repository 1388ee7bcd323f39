#include "window/TLabel.h"

#include "Headless.h"
#include "TestForm.h"

class LabelTest : public HeadlessTest {
 protected:
  TForm form{TestLayout()};
  TLabel& number = *form.FindLabel("Number");
  TLabel& banner = *form.FindLabel("Banner");
  TLabel& caption = *form.FindLabel("Caption");

  void SetUp() override {
    HeadlessTest::SetUp();
    form.Show();
    ProcessMessages();
  }
};

TEST_F(LabelTest, TheSameCaptionNeitherRepaintsNorMeasures) {
  ASSERT_FALSE(SomethingPending());
  number.SetCaption("0");
  EXPECT_FALSE(SomethingPending());
  // Squeeze the label by hand: a re-measure would put its width back.
  number.SetBounds(70, 60, 9, 29);
  ProcessMessages();
  number.SetCaption("0");
  EXPECT_EQ(number.Width(), 9);
  number.SetCaption("1");
  EXPECT_TRUE(SomethingPending());
  EXPECT_EQ(number.Left() + number.Width(), 79);
}

TEST_F(LabelTest, ACaptionIsKeptUpToItsFirstZeroByte) {
  banner.SetCaption(std::string("C - \0X", 6));
  EXPECT_EQ(banner.Caption(), "C - ");
  ProcessMessages();
  banner.SetCaption("C - ");
  EXPECT_FALSE(SomethingPending());
}

TEST_F(LabelTest, RightAlignedNumbersGrowAndShrinkAboutTheirRightEdge) {
  const int digit = number.Width();
  for (const char* text : {"12345", "7", "100000", "-3", "0"}) {
    number.SetCaption(text);
    EXPECT_EQ(number.Left() + number.Width(), 79) << text;
    EXPECT_EQ(number.Top(), 60) << text;
  }
  number.SetCaption("12345");
  EXPECT_EQ(number.Width(), 5 * digit) << "digits are of one width";
}

TEST_F(LabelTest, TheStripALabelGivesUpShowsTheWindowNotWhite) {
  const auto window = form.Handle();
  number.SetCaption("12345");
  ProcessMessages();
  const int wideLeft = number.Left();
  EXPECT_EQ(Pixel(window, wideLeft + 1, 61), 0x00FFFFFFu);
  number.SetCaption("7");
  ProcessMessages();
  const platform::ColorRef face = platform::GetSysColor(15);
  for (int x = wideLeft; x < number.Left(); x += 3) {
    EXPECT_EQ(Pixel(window, x, 61), face) << "x " << x;
    EXPECT_EQ(Pixel(window, x, 60 + number.Height() - 1), face) << "x " << x;
  }
  EXPECT_EQ(Pixel(window, number.Left(), 61), 0x00FFFFFFu);
}

TEST_F(LabelTest, EmptyAndAmpersandMeasureAsABlank) {
  caption.SetCaption(" ");
  const int blankWidth = caption.Width(), blankHeight = caption.Height();
  EXPECT_GT(blankWidth, 0);
  EXPECT_EQ(blankHeight, 12);
  for (const char* text : {"", "&"}) {
    caption.SetCaption(text);
    EXPECT_EQ(caption.Width(), blankWidth) << "'" << text << "'";
    EXPECT_EQ(caption.Height(), blankHeight) << "'" << text << "'";
  }
}

TEST_F(LabelTest, FixedLabelsKeepTheirRectangleAndClipTheirText) {
  banner.SetCaption("WWWWWWWWWWWWWWWWWWWW");
  EXPECT_EQ(banner.Left(), 16);
  EXPECT_EQ(banner.Width(), 185);
  ProcessMessages();
  const auto window = form.Handle();
  const platform::ColorRef face = platform::GetSysColor(15);
  // Centred and wider than the label: ink reaches both edges, nothing spills past them.
  auto inkInColumn = [&](int x) {
    for (int y = 104; y < 141; ++y) {
      if (Pixel(window, x, y) != face) return true;
    }
    return false;
  };
  EXPECT_TRUE(inkInColumn(16) || inkInColumn(17));
  EXPECT_TRUE(inkInColumn(200) || inkInColumn(199));
  EXPECT_FALSE(inkInColumn(15));
  EXPECT_FALSE(inkInColumn(201));
}
