#include "Form1Fixture.h"

TEST_F(Form1Test, StartsIdleWithALetterAndNoTimer) {
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_GE(Letter(), 'A');
  EXPECT_LE(Letter(), 'Z');
  EXPECT_EQ(Caption(5), "20");
  EXPECT_FALSE(platform::testing::NextTimerDeadline());
}

TEST_F(Form1Test, AGameThroughTheRealComponents) {
  const char first = Letter();
  TypeLetter();
  EXPECT_EQ(Caption(2), "GOOD !");
  EXPECT_EQ(Caption(4), "0");
  EXPECT_EQ(Caption(5), "0");
  EXPECT_EQ(Caption(3), std::string(1, first) + " - " + first);
  EXPECT_EQ(form->Timer1.Interval(), 655);

  AdvanceTime(654);
  EXPECT_EQ(Caption(5), "0") << "no tick before one full period";
  AdvanceTime(1);
  EXPECT_EQ(Caption(5), "19");
  AdvanceTime(655 * 4);
  TypeLetter();  // 15 ticks left, multiplier 1
  EXPECT_EQ(Caption(8), "15");
  EXPECT_EQ(Caption(5), "15");

  AdvanceTime(655 * 19);  // the rhythm was not restarted by the second hit
  EXPECT_EQ(Caption(5), "1");
  AdvanceTime(655);
  EXPECT_EQ(Caption(5), "0");
  EXPECT_EQ(Caption(2), "TIME OVER !");
  EXPECT_EQ(form->Color(), clRed);
  EXPECT_EQ(Pixel(1, 1), 0x000000FFu);

  const std::string letter = Caption(1);
  Type('x');  // ignored while red
  EXPECT_EQ(Caption(1), letter);

  AdvanceTime(1999);
  EXPECT_EQ(form->Color(), clRed);
  AdvanceTime(1);
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(Caption(5), "20");
  EXPECT_EQ(Caption(12), "15");
  EXPECT_EQ(Caption(8), "15");
  EXPECT_FALSE(platform::testing::NextTimerDeadline());
  EXPECT_EQ(Pixel(1, 1), platform::GetSysColor(15));
}

TEST_F(Form1Test, AMissTurnsRedAndResetsTwoSecondsLater) {
  const char wrong = Letter() == 'A' ? 'b' : 'a';
  Type(wrong);
  EXPECT_EQ(Caption(2), "MISS TYPING !");
  EXPECT_EQ(form->Color(), clRed);
  AdvanceTime(2000);
  EXPECT_EQ(form->Color(), clBtnFace);
  EXPECT_EQ(Caption(12), "0");
}
