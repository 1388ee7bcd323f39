// A game on an in-memory window, with the moves a player and the clock make.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "MemoryWindow.h"
#include "main.h"

class GameFixture : public ::testing::Test {
 protected:
  MemoryWindow window;
  Game game{window};
  GameState& state = game.State;

  void SetUp() override { game.FormCreate(); }

  GamePhase Phase() const { return static_cast<GamePhase>(window.color); }
  std::uint8_t Target() const { return static_cast<std::uint8_t>(state.TargetLetter); }
  std::uint8_t WrongLetter() const { return static_cast<std::uint8_t>(Target() == 'a' ? 'b' : 'a'); }

  void Type(std::uint8_t key) {
    std::uint8_t k = key;
    game.FormKeyPress(k);
    EXPECT_EQ(k, key) << "the handler must not change Key";
  }
  void Hit() { Type(Target()); }
  // Ticks come only while a timer runs; anything else is a test mistake.
  void Tick(int n = 1) {
    for (int i = 0; i < n; ++i) {
      ASSERT_TRUE(window.timerRunning) << "tick " << i << " with no timer running";
      game.Timer1Timer();
    }
  }
  // Puts the game straight into play at a given count, as the hits before would have left it.
  void PlayingAt(std::int32_t hitCount, std::int32_t timeLeft, std::int32_t multiplier, std::int32_t score,
                 std::int32_t interval) {
    window.interval = interval;
    window.timerRunning = true;
    state.HitCount = hitCount, state.TimeLeft = timeLeft, state.Multiplier = multiplier, state.Score = score;
  }
  const std::string& Caption(GameLabel label) { return window[label]; }
};
