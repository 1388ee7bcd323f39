#include "window/TTimer.h"

#include <vector>

#include "Headless.h"
#include "window/Exception.h"

class TimerTest : public HeadlessTest {
 protected:
  TTimer timer;
  std::vector<std::uint64_t> ticks;

  void SetUp() override {
    HeadlessTest::SetUp();
    platform::testing::SetClock(10000);
    timer.SetOnTimer([this] { ticks.push_back(platform::testing::Now()); });
  }
};

TEST_F(TimerTest, TicksComeOnePeriodAfterTheChangeAndThenOnTheGrid) {
  timer.SetInterval(655);
  AdvanceTime(2000);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{10655, 11310, 11965}));
}

TEST_F(TimerTest, TheSameIntervalKeepsTheRhythmAndANewOneStartsAFreshPeriod) {
  timer.SetInterval(100);
  AdvanceTime(250);
  timer.SetInterval(100);
  AdvanceTime(100);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{10100, 10200, 10300}));
  ticks.clear();
  timer.SetInterval(55);  // at 10350
  AdvanceTime(120);
  EXPECT_EQ(ticks, (std::vector<std::uint64_t>{10405, 10460}));
}

TEST_F(TimerTest, ZeroStopsAndZeroAgainDoesNothing) {
  timer.SetInterval(100);
  AdvanceTime(150);
  timer.SetInterval(0);
  timer.SetInterval(0);
  AdvanceTime(1000);
  EXPECT_EQ(ticks.size(), 1u);
  EXPECT_FALSE(platform::testing::NextTimerDeadline());
}

TEST_F(TimerTest, ARefusedStartThrowsKeepsTheIntervalAndRetriesOnlyOnAChange) {
  platform::testing::InjectFailure(platform::testing::Failure::Timer);
  try {
    timer.SetInterval(100);
    FAIL() << "no failure";
  } catch (const EOutOfResources& failure) {
    EXPECT_EQ(std::string(failure.what()), kTimerRefusedMessage);
  }
  EXPECT_EQ(timer.Interval(), 100);
  AdvanceTime(1000);
  EXPECT_TRUE(ticks.empty());
  timer.SetInterval(100);  // the same: no retry, so no failure and still no ticks
  AdvanceTime(1000);
  EXPECT_TRUE(ticks.empty());
  timer.SetInterval(200);
  AdvanceTime(200);
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(TimerTest, AFailingHandlerIsReportedAndTheTimerGoesOn) {
  std::vector<std::string> boxes;
  platform::testing::WhenIdle([&] {
    // The error box is open: read it and press Enter on it.
    TErrorBox* box = ActiveErrorBox();
    ASSERT_NE(box, nullptr) << "idle inside the box's loop, but no box is active";
    boxes.push_back(box->Text());
    platform::testing::PostMessage({platform::Msg::KeyDown, box->Handle(), 0x0D, 0});
  });
  int calls = 0;
  timer.SetOnTimer([&] {
    ++calls;
    throw Exception("broken");
  });
  timer.SetInterval(100);
  AdvanceTime(300);
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(boxes, std::vector<std::string>(3, "broken."));
}
