#include "GameFixture.h"

using L = GameLabel;

TEST(GameStateTest, EverythingIsZeroBeforeTheWindowExists) {
  EXPECT_EQ(GameState{}, (GameState{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""}));
}

TEST(LetterDrawTest, TheLetterIsTheCounterModulo26OnTheUnsignedValue) {
  struct Case { std::uint32_t counter; char shown; };
  const Case cases[] = {{0, 'A'}, {25, 'Z'}, {26, 'A'}, {2147483648u, 'Y'}, {4294967295u, 'V'}};
  for (const auto& c : cases) {
    MemoryWindow window;
    window.tickCount = c.counter;
    Game game(window);
    game.FormCreate();
    EXPECT_EQ(window[L::Label1], std::string(1, c.shown)) << "counter " << c.counter;
    EXPECT_EQ(game.State.TargetLetter, c.shown + 32) << "counter " << c.counter;
    EXPECT_EQ(game.State.PrevLetter, c.shown) << "counter " << c.counter;
  }
}

TEST_F(GameFixture, StartsIdleWithTheLayoutsNumbersAndNoTicks) {
  EXPECT_EQ(Phase(), GamePhase::Normal);
  EXPECT_FALSE(window.timerRunning);
  EXPECT_EQ(window.interval, 0);
  EXPECT_EQ(Caption(L::Label5), "20");  // TimeLeft is 0, but nothing has shown it yet
  EXPECT_EQ(Caption(L::Label4), "0");
  EXPECT_EQ(Caption(L::Label8), "0");
  EXPECT_EQ(Caption(L::Label12), "0");
  EXPECT_EQ(state.TimeLeft, 0);
  EXPECT_EQ(state.EndTicks, 0);
  EXPECT_EQ(state.TickInterval, 0);
  EXPECT_EQ(state.Separator, "");
}

TEST_F(GameFixture, TheSameMillisecondGivesTheSameLetterTwice) {
  window.tickCount = 7;  // 'h'
  game.FormCreate();
  Hit();
  EXPECT_EQ(Caption(L::Label1), "H");
  EXPECT_EQ(Caption(L::Label3), "H - H");
  Hit();
  EXPECT_EQ(Caption(L::Label3), "H - H");
  EXPECT_EQ(state.HitCount, 2);
}
