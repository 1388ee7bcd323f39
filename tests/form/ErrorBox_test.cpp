#include <stdexcept>
#include <vector>

#include "Form1Fixture.h"
#include "platform/Testing.h"
#include "window/Exception.h"

TEST(FullStopTest, AddedOnlyAfterACharacterAboveTheFullStop) {
  struct Case { std::string message, shown; };
  const Case cases[] = {
      {"", ""},
      {"Broken", "Broken."},
      {"Broken.", "Broken."},
      {"Broken!", "Broken!"},
      {"Broken ", "Broken "},
      {"Broken-", "Broken-"},   // 0x2D, below "."
      {"Broken/", "Broken/."},  // 0x2F, above
      {"Code 9", "Code 9."},
      {"\xB1", "\xB1."},                                        // half-width katakana, a byte above 0x7F
      {"\x95\x5C", "\x95\x5C."},                                // a kanji whose second byte is "\"
      {kTimerRefusedMessage, kTimerRefusedMessage + "."},
  };
  for (const auto& c : cases) EXPECT_EQ(WithFullStop(c.message), c.shown) << c.message;
}

// The first timer the game asks for is refused: the box comes up over the game with the
// message, the game takes no keys until it is closed, and then plays on.
TEST_F(Form1Test, ARefusedTimerShowsTheBoxAndTheGamePlaysOnAfterIt) {
  platform::testing::InjectFailure(platform::testing::Failure::Timer);
  std::vector<std::string> seen;
  int idles = 0;
  platform::testing::WhenIdle([&] {
    TErrorBox* box = ActiveErrorBox();
    ASSERT_NE(box, nullptr) << "idle inside the box's loop, but no box is active";
    if (++idles == 1) {
      seen.push_back(box->Text());
      // A key for the game while the box is open goes nowhere.
      platform::testing::PostMessage({platform::Msg::Char, form->Handle(), 'a', 0});
      platform::testing::PostMessage({platform::Msg::Char, form->Handle(), '1', 0});
      return;
    }
    EXPECT_FALSE(platform::IsWindowEnabled(form->Handle()));
    EXPECT_EQ(form->Color(), clBtnFace) << "the keys typed under the box did not reach the game";
    platform::testing::PostMessage({platform::Msg::KeyDown, box->Handle(), 0x0D, 0});  // Enter
  });
  const char first = Letter();
  TypeLetter();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], kTimerRefusedMessage + ".");
  EXPECT_TRUE(platform::IsWindowEnabled(form->Handle()));
  EXPECT_EQ(platform::GetActiveWindow(), form->Handle());
  EXPECT_EQ(Caption(2), "GOOD !") << "what the handler wrote before the failure stays";
  EXPECT_EQ(Caption(1), std::string(1, first)) << "the handler stopped before the next letter";
  EXPECT_FALSE(platform::testing::NextTimerDeadline());

  // Same letter, same period: no retry, and this time the hit counts.
  platform::testing::WhenIdle(nullptr);
  TypeLetter();
  EXPECT_EQ(Caption(3), std::string(1, first) + " - " + first);
  EXPECT_EQ(Caption(4), "0");
}

namespace {

void CloseTheBoxWithEnter() {
  TErrorBox* box = ActiveErrorBox();
  ASSERT_NE(box, nullptr) << "no box is open";
  platform::testing::PostMessage({platform::Msg::KeyDown, box->Handle(), 0x0D, 0});
}

}  // namespace

// Under the box the game only loses its keys: its clock runs on and its window keeps painting.
TEST_F(Form1Test, TheGameTicksAndPaintsWhileTheBoxIsOpen) {
  TypeLetter();
  AdvanceTime(655);
  ASSERT_EQ(Caption(5), "19");
  const platform::Rect time = form->Label(5).BoundsRect();
  const auto timeLabelPixels = [&] {
    std::vector<platform::ColorRef> pixels;
    for (int y = time.top; y < time.bottom; ++y) {
      for (int x = time.left; x < time.right; ++x) pixels.push_back(Pixel(x, y));
    }
    return pixels;
  };
  const auto nineteen = timeLabelPixels();

  platform::testing::WhenIdle([&] {
    if (Caption(5) != "17") return;  // waiting in the box's loop lets the virtual clock run
    EXPECT_NE(timeLabelPixels(), nineteen) << "the new TIME was painted under the box";
    CloseTheBoxWithEnter();
  });
  app.HandleException(std::runtime_error("Something broke"));
  EXPECT_EQ(Caption(5), "17");
  EXPECT_EQ(platform::testing::Now(), 3u * 655u);
  EXPECT_EQ(form->Color(), clBtnFace) << "still in play";
}

// The box takes the mouse from the window first, so a Tab typed afterwards no longer reaches
// the game as a character, even with the button still down.
TEST_F(Form1Test, AMouseCaptureIsCancelledBeforeTheBoxOpens) {
  platform::testing::PressLeftButton(form->Handle(), true);
  ProcessMessages();
  ASSERT_EQ(platform::GetCapture(), form->Handle());

  bool checked = false;
  platform::testing::WhenIdle([&] {
    EXPECT_EQ(platform::GetCapture(), 0u);
    checked = true;
    CloseTheBoxWithEnter();
  });
  app.HandleException(std::runtime_error("Something broke"));
  ASSERT_TRUE(checked);
  platform::testing::WhenIdle(nullptr);

  platform::testing::PostMessage({platform::Msg::KeyDown, form->Handle(), 0x09, 0});
  ProcessMessages();
  EXPECT_EQ(form->Color(), clBtnFace) << "Tab arrived as a character";
  EXPECT_EQ(Caption(2), "START ");
}

TEST_F(Form1Test, TheCountdownGoesOnWhileTheWindowIsMinimised) {
  TypeLetter();
  platform::ShowWindow(form->Handle(), platform::Show::Minimized);
  AdvanceTime(655 * 20);
  EXPECT_EQ(Caption(2), "TIME OVER !");
  EXPECT_EQ(form->Color(), clRed);
  platform::ShowWindow(form->Handle(), platform::Show::Restore);
  ProcessMessages();
  EXPECT_EQ(Pixel(1, 1), 0x000000FFu);
}
