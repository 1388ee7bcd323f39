// Seeded random play on the in-memory window, every event judged by the one invariant checker.
// QUILLET_PROPERTY_EVENTS sets the length (10000000 for a long run), QUILLET_PROPERTY_SEED replays
// the seed a failure printed.
#include <gtest/gtest.h>

#include "MemoryWindow.h"

TEST(GameProperties, EveryEventKeepsTheInvariantsThroughTheCounterWrap) {
  const std::uint64_t seed = FromEnvironment("QUILLET_PROPERTY_SEED", 20261207);
  const std::uint64_t events = FromEnvironment("QUILLET_PROPERTY_EVENTS", 80000);
  PlayerModel player(seed);
  MemoryDriver driver(0xFFFFFFFFu - 600'000u);  // the millisecond counter wraps ten minutes in
  GameInvariants invariants;
  std::uint64_t games = 0, eventsInExtra = 0;
  for (std::uint64_t n = 0; n < events; ++n) {
    const bool wasIdle = !driver.Ticking();
    const std::string broken = PlayStep(driver, invariants, player.Next(driver.Target(), driver.Ticking()));
    ASSERT_EQ(broken, "") << "seed " << seed << ", event " << n;
    if (wasIdle && driver.Ticking()) player.NewGame(), ++games;
    if (driver.window.color == 0x0000FF00u) ++eventsInExtra;
  }
  // The stream reaches what it is meant to: many games, and the extra game among them.
  EXPECT_GT(games, events / 2000);
  EXPECT_GT(eventsInExtra, 0u);
}
