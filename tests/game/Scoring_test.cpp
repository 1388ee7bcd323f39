#include "GameFixture.h"

using L = GameLabel;

// One hit at each edge of the level bands, with 20 ticks left and the multiplier the previous
// hit would have set. What matters: the points use the old multiplier, the period and the
// multiplier and allowance for the next letter follow the count before the hit.
TEST_F(GameFixture, LevelTableAtEveryBandEdge) {
  struct Case { std::int32_t hitCount, multiplierBefore, points, interval, multiplierAfter, allowance; };
  const Case cases[] = {
      {10, 1, 20, 655, 1, 20},  {11, 1, 20, 218, 2, 20},   {20, 2, 40, 218, 2, 20},  {21, 2, 40, 163, 3, 20},
      {30, 3, 60, 163, 3, 20},  {31, 3, 60, 108, 4, 20},   {40, 4, 80, 108, 4, 20},  {41, 4, 80, 55, 5, 20},
      {50, 5, 100, 55, 5, 20},  {51, 5, 100, 55, 10, 16},  {70, 10, 200, 55, 10, 16}, {71, 10, 200, 55, 27, 11},
      {99, 27, 540, 55, 27, 11}, {100, 27, 540, 55, 29, 9},  // 100 with a high score: the extra game
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("HitCount " + std::to_string(c.hitCount));
    game.FormCreate();
    window.color = static_cast<std::uint32_t>(GamePhase::Normal);
    PlayingAt(c.hitCount, 20, c.multiplierBefore, 9000, 1);
    Hit();
    const std::int32_t bonus = c.hitCount == 100 ? 3000 : 0;
    EXPECT_EQ(state.Score, 9000 + c.points + bonus);
    EXPECT_EQ(window.interval, c.interval);
    EXPECT_EQ(state.TickInterval, c.interval);
    EXPECT_EQ(state.Multiplier, c.multiplierAfter);
    EXPECT_EQ(state.TimeLeft, c.allowance);
    EXPECT_EQ(state.HitCount, c.hitCount + 1);
    EXPECT_EQ(Caption(L::Label4), std::to_string(c.hitCount));
    EXPECT_EQ(Caption(L::Label5), "20");
    EXPECT_EQ(Caption(L::Label8), std::to_string(9000 + c.points + bonus));
  }
}

TEST_F(GameFixture, FirstHitScoresNothingShowsWhatWasLeftAndStartsTheTicks) {
  Hit();
  EXPECT_EQ(Caption(L::Label4), "0");
  EXPECT_EQ(Caption(L::Label5), "0");  // the very first game: TimeLeft starts at 0
  EXPECT_EQ(Caption(L::Label8), "0");
  EXPECT_EQ(Caption(L::Label2), "GOOD !");
  EXPECT_EQ(window.interval, 655);
  EXPECT_EQ(window.timerStarts, 1);
  EXPECT_EQ(state.TimeLeft, 20);
  Tick(3);
  Hit();  // same level: the ticks go on at their rhythm
  EXPECT_EQ(window.timerStarts, 1);
  EXPECT_EQ(state.Score, 17);
}

TEST_F(GameFixture, HundredthHitBelow7000EndsAquaWithTheSmallBonus) {
  window.color = static_cast<std::uint32_t>(GamePhase::Normal);
  PlayingAt(100, 11, 27, 6999 - 11 * 27, 55);
  Hit();
  EXPECT_EQ(window.color, 0x00FFFF00u) << "aqua, as the window draws it";
  EXPECT_EQ(Caption(L::Label2), "BONUS 3000");
  EXPECT_EQ(state.Score, 9999);
  EXPECT_EQ(Caption(L::Label8), "9999");
  EXPECT_EQ(Caption(L::Label3), "GREAT !!");
  EXPECT_EQ(window.interval, 100);
}

TEST_F(GameFixture, HundredthHitAt7000OpensTheExtraGame) {
  PlayingAt(100, 11, 27, 7000 - 11 * 27, 55);
  Hit();
  EXPECT_EQ(window.color, 0x0000FF00u) << "lime, as the window draws it";
  EXPECT_EQ(Caption(L::Label2), "BONUS 3000");
  EXPECT_EQ(state.Score, 10000);
  EXPECT_EQ(state.TimeLeft, 9);
  EXPECT_EQ(window.interval, 55);
  Tick(1);
  EXPECT_EQ(Caption(L::Label5), "8");
  for (int i = 0; i < 5; ++i) {
    Hit();
    EXPECT_EQ(Caption(L::Label2), "EXTRA GAME");
    EXPECT_EQ(Phase(), GamePhase::Extra);
  }
  EXPECT_EQ(state.Score, 10000 + 8 * 29 + 4 * 9 * 29);
}

TEST_F(GameFixture, ThreeHundredThirtyThirdExtraHitEndsWithTheBigBonus) {
  window.color = static_cast<std::uint32_t>(GamePhase::Extra);
  PlayingAt(332, 9, 29, 50000, 55);
  Hit();
  EXPECT_EQ(Phase(), GamePhase::Extra);
  EXPECT_EQ(Caption(L::Label2), "EXTRA GAME");
  Hit();
  EXPECT_EQ(Phase(), GamePhase::Cleared);
  EXPECT_EQ(Caption(L::Label2), "BONUS 10000");
  EXPECT_EQ(state.Score, 50000 + 2 * 261 + 10000);
  EXPECT_EQ(Caption(L::Label3), "GIVE UP !");
  EXPECT_EQ(state.HitCount, 334);
  EXPECT_EQ(window.interval, 100);
}

// A whole game from the first key to the big bonus. Before each hit the clock ticks a fixed
// number of times per band, so each letter is typed with a known number of ticks left.
TEST_F(GameFixture, OneWholeGameOf334Hits) {
  struct Band { int firstHit, lastHit, ticksBefore; };  // by HitCount before the hit
  const Band bands[] = {{0, 0, 0},    {1, 11, 5},   {12, 21, 3},   {22, 31, 2},  {32, 41, 1},
                        {42, 51, 0},  {52, 71, 6},  {72, 100, 4},  {101, 333, 8}};
  for (const auto& band : bands) {
    for (int n = band.firstHit; n <= band.lastHit; ++n) {
      window.tickCount = static_cast<std::uint32_t>(n * 7);  // any letter will do
      if (n > 0) Tick(band.ticksBefore);
      ASSERT_EQ(state.HitCount, n);
      Hit();
    }
  }
  // Worked out by hand: (ticks left) x (multiplier set by the previous hit), per band.
  //   HitCount 0         : 0 left x 0                   =     0
  //   HitCount 1..11     : 11 hits x (20-5)=15 x 1       =   165
  //   HitCount 12..21    : 10 hits x (20-3)=17 x 2       =   340
  //   HitCount 22..31    : 10 hits x (20-2)=18 x 3       =   540
  //   HitCount 32..41    : 10 hits x (20-1)=19 x 4       =   760
  //   HitCount 42..51    : 10 hits x 20 x 5              =  1000
  //   HitCount 52..71    : 20 hits x (16-6)=10 x 10      =  2000
  //   HitCount 72..100   : 29 hits x (11-4)=7 x 27       =  5481
  //   subtotal 10286 >= 7000 at the hundredth: extra game, + 3000 = 13286
  //   HitCount 101..333  : 233 hits x (9-8)=1 x 29       =  6757  -> 20043
  //   HitCount 333 ends it: + 10000                      = 30043
  EXPECT_EQ(state.Score, 30043);
  EXPECT_EQ(Caption(L::Label8), "30043");
  EXPECT_EQ(Phase(), GamePhase::Cleared);
  EXPECT_EQ(Caption(L::Label2), "BONUS 10000");
  EXPECT_EQ(Caption(L::Label3), "GIVE UP !");
  EXPECT_EQ(Caption(L::Label4), "333");
  Tick(20);
  EXPECT_EQ(state.HiScore, 30043);
  EXPECT_EQ(Caption(L::Label12), "30043");
  EXPECT_EQ(Phase(), GamePhase::Normal);
}
