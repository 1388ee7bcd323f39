#include <cstdint>
#include <vector>

#include "HeadlessPlatform.h"

namespace platform {
namespace {

using TimersTest = HeadlessPlatform;

// A timer's life as a script: at each clock reading, either change the timer or count the ticks
// that come out.
struct Step {
  enum Kind { Expect, SetPeriod, Kill } kind;
  std::uint64_t atMs;
  std::uint32_t value;  // Expect: ticks delivered; SetPeriod: the new period
};

struct Rhythm {
  const char* name;
  std::vector<Step> steps;
};

std::uint32_t TicksNow(WindowHandle window) {
  std::uint32_t ticks = 0;
  Message message;
  while (PeekMessage(message)) {
    if (message.msg != Msg::Timer) continue;
    EXPECT_EQ(message.window, window);
    EXPECT_EQ(message.wParam, 1u);
    ++ticks;
  }
  return ticks;
}

TEST_F(TimersTest, TicksFollowAnAbsoluteGrid) {
  const std::vector<Rhythm> rhythms = {
      {"first tick one full period after SetTimer",
       {{Step::SetPeriod, 1000, 100}, {Step::Expect, 1099, 0}, {Step::Expect, 1100, 1}, {Step::Expect, 1100, 0}}},
      {"a late tick does not push the grid back",
       {{Step::SetPeriod, 0, 100}, {Step::Expect, 130, 1}, {Step::Expect, 199, 0}, {Step::Expect, 200, 1},
        {Step::Expect, 300, 1}}},
      {"ticks missed while busy merge into one and the grid goes on",
       {{Step::SetPeriod, 0, 55}, {Step::Expect, 400, 1}, {Step::Expect, 439, 0}, {Step::Expect, 440, 1}}},
      {"a changed period starts one full new period from the change",
       {{Step::SetPeriod, 0, 100}, {Step::Expect, 100, 1}, {Step::SetPeriod, 150, 55}, {Step::Expect, 200, 0},
        {Step::Expect, 204, 0}, {Step::Expect, 205, 1}, {Step::Expect, 260, 1}}},
      {"a tick already due under the old period is not delivered after the change",
       {{Step::SetPeriod, 0, 100}, {Step::SetPeriod, 120, 100}, {Step::Expect, 219, 0}, {Step::Expect, 220, 1}}},
      {"a killed timer stays silent",
       {{Step::SetPeriod, 0, 100}, {Step::Expect, 100, 1}, {Step::Kill, 150, 0}, {Step::Expect, 1000, 0}}},
      {"a period of 0 is taken as the shortest, 10 ms, instead of flooding",
       {{Step::SetPeriod, 0, 0}, {Step::Expect, 9, 0}, {Step::Expect, 10, 1}, {Step::Expect, 20, 1}}},
  };
  for (const Rhythm& rhythm : rhythms) {
    SCOPED_TRACE(rhythm.name);
    session.Restart();
    const WindowHandle window = CreateMessageWindow();
    for (const Step& step : rhythm.steps) {
      testing::SetClock(step.atMs);
      switch (step.kind) {
        case Step::SetPeriod: ASSERT_TRUE(SetTimer(window, 1, step.value)); break;
        case Step::Kill: KillTimer(window, 1); break;
        case Step::Expect: EXPECT_EQ(TicksNow(window), step.value) << "at " << step.atMs << " ms"; break;
      }
    }
  }
}

TEST_F(TimersTest, WaitingMovesTheVirtualClockToTheEarliestDeadline) {
  const WindowHandle window = CreateMessageWindow();
  testing::SetClock(1000);
  ASSERT_TRUE(SetTimer(window, 1, 100));
  ASSERT_TRUE(SetTimer(window, 2, 55));
  EXPECT_EQ(testing::NextTimerDeadline(), 1055u);

  std::vector<std::pair<std::uint64_t, std::uint32_t>> ticks;  // when, which
  Message message;
  while (ticks.size() < 5) {
    if (!PeekMessage(message)) {
      WaitMessage();
      continue;
    }
    ASSERT_EQ(message.msg, Msg::Timer);
    ticks.emplace_back(testing::Now(), message.wParam);
  }
  const std::vector<std::pair<std::uint64_t, std::uint32_t>> expected = {
      {1055, 2}, {1100, 1}, {1110, 2}, {1165, 2}, {1200, 1}};
  EXPECT_EQ(ticks, expected);
}

TEST_F(TimersTest, WaitingWithNothingToWaitForReturnsAtOnce) {
  testing::SetClock(500);
  WaitMessage();
  EXPECT_EQ(testing::Now(), 500u);
  EXPECT_FALSE(testing::NextTimerDeadline());
}

TEST_F(TimersTest, ARefusedStartReturnsFalseAndStartsNothing) {
  const WindowHandle window = CreateMessageWindow();
  testing::InjectFailure(testing::Failure::Timer);
  EXPECT_FALSE(SetTimer(window, 1, 100));
  EXPECT_FALSE(testing::NextTimerDeadline());
  testing::SetClock(10'000);
  EXPECT_EQ(TicksNow(window), 0u);

  EXPECT_TRUE(SetTimer(window, 1, 100)) << "only the next start is refused";
  EXPECT_EQ(testing::NextTimerDeadline(), 10'100u);
}

TEST_F(TimersTest, TimersBelongToLiveWindows) {
  EXPECT_FALSE(SetTimer(42, 1, 100)) << "no such window";
  const WindowHandle window = CreateMessageWindow();
  ASSERT_TRUE(SetTimer(window, 1, 100));
  DestroyWindow(window);
  EXPECT_FALSE(testing::NextTimerDeadline());
}

TEST_F(TimersTest, TheTickCounterWrapsAt32Bits) {
  const std::vector<std::pair<std::uint64_t, std::uint32_t>> readings = {
      {0, 0u}, {4'294'967'295u, 4'294'967'295u}, {4'294'967'296u, 0u}, {4'294'967'296u + 1234, 1234u}};
  for (const auto& [clock, counter] : readings) {
    testing::SetClock(clock);
    EXPECT_EQ(GetTickCount(), counter) << "at " << clock << " ms";
    EXPECT_EQ(testing::Now(), clock);
  }
}

}  // namespace
}  // namespace platform
