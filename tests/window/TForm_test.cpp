#include "window/TForm.h"

#include "Headless.h"
#include "TestForm.h"

class FormTest : public HeadlessTest {
 protected:
  TForm form{TestLayout()};

  void SetUp() override {
    HeadlessTest::SetUp();
    form.Show();
    ProcessMessages();
  }
};

TEST_F(FormTest, ColoursReadBackExactlyAsSet) {
  EXPECT_EQ(form.Color(), 0x8000000Fu);
  for (const TColor color : {clLime, clRed, clAqua, clBtnFace}) {
    form.SetColor(color);
    EXPECT_EQ(form.Color(), color);
  }
}

TEST_F(FormTest, TheSameColourDoesNothing) {
  form.SetColor(clBtnFace);
  EXPECT_FALSE(SomethingPending());
  form.SetColor(clRed);
  EXPECT_TRUE(SomethingPending());
  ProcessMessages();
  form.SetColor(clRed);
  EXPECT_FALSE(SomethingPending());
}

TEST_F(FormTest, ParentColorLabelsFollowTheWindowAndOthersKeepTheirOwn) {
  const auto window = form.Handle();
  TLabel& number = *form.FindLabel("Number");
  TLabel& caption = *form.FindLabel("Caption");
  struct Case { TColor color; platform::ColorRef drawn; };
  const Case cases[] = {{clLime, 0x0000FF00}, {clRed, 0x000000FF}, {clAqua, 0x00FFFF00},
                        {clBtnFace, platform::GetSysColor(15)}};
  for (const auto& c : cases) {
    form.SetColor(c.color);
    ProcessMessages();
    EXPECT_EQ(caption.Color(), c.color);
    EXPECT_TRUE(caption.ParentColor);
    EXPECT_EQ(number.Color(), clWhite);
    EXPECT_EQ(Pixel(window, 2, 2), c.drawn) << "window background";
    EXPECT_EQ(Pixel(window, caption.Left(), caption.Top()), c.drawn) << "a following label";
    EXPECT_EQ(Pixel(window, number.Left(), number.Top()), 0x00FFFFFFu) << "a white label";
  }
}

TEST_F(FormTest, ACaptionChangePaintsOnlyThatLabel) {
  const auto window = form.Handle();
  TLabel& caption = *form.FindLabel("Caption");
  // Scribble on the frame buffer outside the label; a repaint of just the label leaves it.
  platform::testing::WindowCanvas(window).FillRect({0, 0, 10, 10}, 0x00123456);
  caption.SetCaption("SCORES");
  ProcessMessages();
  EXPECT_EQ(Pixel(window, 5, 5), 0x00123456u);
  EXPECT_NE(Pixel(window, caption.Left(), caption.Top()), 0x00123456u);
}

namespace {
bool operator==(const platform::Rect& a, const platform::Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

// What a change marks is all that is painted and presented.
TEST_F(FormTest, ACaptionChangeMarksOnlyItsLabelAndAShrinkErasesTheStripItLeaves) {
  TLabel& banner = *form.FindLabel("Banner");
  banner.SetCaption("B - B");
  platform::PaintArea area = platform::BeginPaint(form.Handle());
  platform::EndPaint(form.Handle(), area);
  ASSERT_EQ(area.update.size(), 1u);
  EXPECT_TRUE(area.update[0] == banner.BoundsRect());
  EXPECT_TRUE(area.erase.empty());

  TLabel& number = *form.FindLabel("Number");
  number.SetCaption("100");
  ProcessMessages();
  const platform::Rect wide = number.BoundsRect();
  number.SetCaption("7");
  area = platform::BeginPaint(form.Handle());
  platform::EndPaint(form.Handle(), area);
  ASSERT_EQ(area.erase.size(), 1u);
  EXPECT_TRUE(area.erase[0] == wide);
  for (const platform::Rect& r : area.update) {
    EXPECT_GE(r.left, wide.left);
    EXPECT_LE(r.right, wide.right);
    EXPECT_EQ(r.top, wide.top);
    EXPECT_EQ(r.bottom, wide.bottom);
  }
}
