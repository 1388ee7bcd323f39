#include "GameFixture.h"

using L = GameLabel;

TEST_F(GameFixture, AnUntypedLetterRunsOutThenTheGameResetsTwoSecondsLater) {
  Hit();
  for (int left = 19; left >= 1; --left) {
    Tick();
    EXPECT_EQ(Caption(L::Label5), std::to_string(left));
    EXPECT_EQ(Phase(), GamePhase::Normal);
  }
  Tick();
  EXPECT_EQ(Caption(L::Label5), "0");
  EXPECT_EQ(Phase(), GamePhase::Over);
  EXPECT_EQ(Caption(L::Label2), "TIME OVER !");
  EXPECT_EQ(window.interval, 100);
  EXPECT_EQ(state.TimeLeft, 20);

  for (int i = 1; i < 20; ++i) {
    Tick();
    EXPECT_EQ(Caption(L::Label5), "0") << "TIME stands still during the end phase";
    EXPECT_EQ(state.EndTicks, i);
  }
  Tick();
  EXPECT_EQ(Phase(), GamePhase::Normal);
  EXPECT_EQ(Caption(L::Label5), "20");
  EXPECT_EQ(window.interval, 0);
  EXPECT_FALSE(window.timerRunning);
  EXPECT_EQ(state.TimeLeft, 20);
  EXPECT_EQ(Caption(L::Label2), "TIME OVER !");  // the end message stays up while idle
}

// The reset touches exactly these: the phase, the timer, the counters it names, HI-SCORE,
// Label14 and TIME. LEVEL, SCORE, the letter and the messages keep the finished game's values.
TEST_F(GameFixture, AResetChangesOnlyWhatItResets) {
  Hit();
  Tick(2);
  Hit();  // 18 points
  Type(WrongLetter());
  Tick(19);
  window.captions[L::Label14] = "x";  // so that the reset's blank can be seen to arrive
  GameState expected = state;
  auto captions = window.captions;
  const std::uint32_t letterTick = window.tickCount;
  Tick();
  expected.EndTicks = 0, expected.Multiplier = 0, expected.HitCount = 0, expected.TimeLeft = 20;
  expected.HiScore = 18, expected.Score = 0;
  captions[L::Label12] = "18";
  captions[L::Label14] = " ";
  captions[L::Label5] = "20";
  EXPECT_EQ(state, expected);
  EXPECT_EQ(window.captions, captions);
  EXPECT_EQ(window.tickCount, letterTick);
  EXPECT_EQ(Caption(L::Label8), "18");
  EXPECT_EQ(Caption(L::Label4), "1");
  // The next game's first hit rewrites LEVEL and SCORE and shows the refilled 20.
  Hit();
  EXPECT_EQ(Caption(L::Label4), "0");
  EXPECT_EQ(Caption(L::Label8), "0");
  EXPECT_EQ(Caption(L::Label5), "20");
}

TEST_F(GameFixture, HiScoreKeepsATieAndTakesAHigherScore) {
  struct Case { std::int32_t hiBefore, score, hiAfter; };
  const Case cases[] = {{0, 0, 0}, {500, 500, 500}, {500, 499, 500}, {500, 501, 501}};
  for (const auto& c : cases) {
    window.color = static_cast<std::uint32_t>(GamePhase::Over);
    PlayingAt(5, 20, 1, c.score, 100);
    state.HiScore = c.hiBefore;
    state.EndTicks = 19;
    window.captions[L::Label12] = "unchanged";
    const int changes = window.changes;
    Tick();
    EXPECT_EQ(state.HiScore, c.hiAfter);
    EXPECT_EQ(Caption(L::Label12), std::to_string(c.hiAfter));
    EXPECT_GT(window.changes, changes);
  }
}

TEST_F(GameFixture, ExtraGameCountsDownFromEight) {
  window.color = static_cast<std::uint32_t>(GamePhase::Extra);
  PlayingAt(150, 9, 29, 20000, 55);
  Hit();
  Tick();
  EXPECT_EQ(Caption(L::Label5), "8");
  Tick(7);
  EXPECT_EQ(Caption(L::Label5), "1");
  Tick();
  EXPECT_EQ(Phase(), GamePhase::Over);
  EXPECT_EQ(Caption(L::Label2), "TIME OVER !");
}
