#include "GameFixture.h"

using L = GameLabel;

namespace {
template <typename F>
void ExpectRefused(F&& f) {
  try {
    f();
    ADD_FAILURE() << "the refused timer did not reach the caller";
  } catch (const EOutOfResources& e) {
    EXPECT_EQ(std::string(e.what()), kTimerRefusedMessage);
  }
}
}  // namespace

// A refused level timer ends the handler where it stands: what it wrote stays, the rest is not
// done, and the period counts as set so the same level does not try again. The level's
// multiplier was set with its period, so the next hit already scores at the new level.
TEST_F(GameFixture, RefusedLevelTimersStopTheHandlerAfterTheTimerStep) {
  struct Case { std::int32_t hitCount, intervalBefore, intervalAsked, multiplier; };
  const Case cases[] = {{0, 0, 655, 1}, {11, 655, 218, 2}, {21, 218, 163, 3}, {31, 163, 108, 4}, {41, 108, 55, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE("HitCount " + std::to_string(c.hitCount));
    window.color = static_cast<std::uint32_t>(GamePhase::Normal);
    window.tickCount = 3;
    game.FormCreate();
    PlayingAt(c.hitCount, 12, 1, 100, c.intervalBefore);
    window.timerRunning = c.intervalBefore != 0;
    window.refuseNextTimer = true;
    ExpectRefused([&] { Hit(); });
    EXPECT_EQ(Caption(L::Label4), std::to_string(c.hitCount));
    EXPECT_EQ(Caption(L::Label5), "12");
    EXPECT_EQ(state.Score, 112);
    EXPECT_EQ(window.interval, c.intervalAsked);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.HitCount, c.hitCount) << "not counted";
    EXPECT_EQ(state.TimeLeft, 12) << "not refilled";
    EXPECT_EQ(Caption(L::Label1), "D") << "no new letter";
    EXPECT_EQ(Phase(), GamePhase::Normal);
    // The same letter again: same period, no retry, no failure, and this time the hit counts.
    Hit();
    EXPECT_EQ(state.HitCount, c.hitCount + 1);
    EXPECT_EQ(state.Score, 112 + 12 * c.multiplier);
    EXPECT_FALSE(window.timerRunning);
  }
}

TEST_F(GameFixture, RefusedLevelTimerIsRetriedAtTheNextLevel) {
  PlayingAt(10, 20, 1, 0, 655);
  window.refuseNextTimer = true;
  Hit();  // 655 again: nothing to refuse
  EXPECT_TRUE(window.timerRunning);
  ExpectRefused([&] { Hit(); });  // 218 refused
  Hit();                          // 218 again: no retry
  EXPECT_FALSE(window.timerRunning);
  PlayingAt(21, 20, 2, 0, 218);
  window.timerRunning = false;
  Hit();  // 163: a new period, started
  EXPECT_TRUE(window.timerRunning);
  EXPECT_EQ(window.interval, 163);
}

// Without its 100 ms ticks an end phase would never end. The game goes straight back to idle,
// as a normal reset leaves it, and still reports the failure.
TEST_F(GameFixture, RefusedEndPhaseTimerBringsTheGameBackToIdle) {
  struct Case {
    const char* name;
    GamePhase phaseBefore;
    std::int32_t hitCount, timeLeft, score;
    bool miss, tick;
    const char* message;
    std::int32_t hiScore;
  };
  const Case cases[] = {
      {"miss", GamePhase::Normal, 30, 9, 700, true, false, "MISS TYPING !", 700},
      {"small bonus", GamePhase::Normal, 100, 11, 1000, false, false, "BONUS 3000", 1000 + 11 * 27 + 3000},
      {"big bonus", GamePhase::Extra, 333, 9, 40000, false, false, "BONUS 10000", 40000 + 9 * 29 + 10000},
      {"time over", GamePhase::Normal, 30, 1, 700, false, true, "TIME OVER !", 700},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window.color = static_cast<std::uint32_t>(c.phaseBefore);
    window.tickCount = 3;
    game.FormCreate();
    PlayingAt(c.hitCount, c.timeLeft, c.phaseBefore == GamePhase::Extra ? 29 : 27, c.score, 55);
    window.refuseNextTimer = true;
    ExpectRefused([&] {
      if (c.tick) Tick();
      else if (c.miss) Type(WrongLetter());
      else Hit();
    });
    EXPECT_EQ(Caption(L::Label2), c.message) << "what the handler wrote stays";
    EXPECT_EQ(Phase(), GamePhase::Normal);
    EXPECT_EQ(window.interval, 0);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.HiScore, c.hiScore);
    EXPECT_EQ(Caption(L::Label12), std::to_string(c.hiScore));
    EXPECT_EQ(state.Score, 0);
    EXPECT_EQ(state.HitCount, 0);
    EXPECT_EQ(state.Multiplier, 0);
    EXPECT_EQ(state.EndTicks, 0);
    EXPECT_EQ(state.TimeLeft, 20);
    EXPECT_EQ(Caption(L::Label5), "20");
    EXPECT_EQ(Caption(L::Label1), "D") << "the handler stopped before the next letter";
    // Playable: the letter on display starts a new game with a running timer.
    Hit();
    EXPECT_EQ(Phase(), GamePhase::Normal);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(window.interval, 655);
    EXPECT_EQ(state.HitCount, 1);
  }
}
