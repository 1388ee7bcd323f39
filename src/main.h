// The game: its counters, its phases and the three handlers the main window calls.
#pragma once
#include <cstdint>
#include <string>

#include "GameWindow.h"

// The phase is not stored anywhere: it is the main window's colour.
enum class GamePhase : std::uint32_t {
  Normal = 0x8000000F,   // clBtnFace: idle (no ticks) or playing the main game
  Extra = 0x0000FF00,    // clLime: the extra game after the 3000 bonus
  Over = 0x000000FF,     // clRed: a miss or an expired letter ended the game
  Cleared = 0x00FFFF00,  // clAqua: a bonus ended the game
};

// One set of counters for the life of the process, carried over from game to game.
struct GameState {
  std::int32_t TargetLetter = 0;  // lower case, 'a' to 'z'
  std::uint8_t PrevLetter = 0;    // the upper-case letter the echo line starts with
  std::int32_t TimeLeft = 0;      // ticks left for the letter on display
  std::int32_t HitCount = 0;
  std::int32_t Multiplier = 0;    // points per tick left, for the next hit
  std::int32_t Score = 0;
  std::int32_t TimePenalty = 0;   // ticks taken off the 20-tick allowance
  std::int32_t HiScore = 0;       // never saved: every run starts at 0
  std::int32_t EndTicks = 0;      // ticks spent in a red or aqua end phase
  std::int32_t TickInterval = 0;  // the current level's timer period, ms
  std::string Separator;          // between the two letters of the echo line

  bool operator==(const GameState&) const = default;
};

class Game {
 public:
  explicit Game(GameWindow& window) : window_(window) {}

  void FormCreate();
  void FormKeyPress(std::uint8_t& Key);
  void Timer1Timer();

  GameState State;

 private:
  GamePhase Phase() const { return static_cast<GamePhase>(window_.Color()); }
  void SetPhase(GamePhase phase) { window_.SetColor(static_cast<std::uint32_t>(phase)); }
  void Show(GameLabel label, std::int32_t number);
  void DrawLetter();
  void Hit();
  void Miss();
  void EndWithBonus(const char* message, std::int32_t bonus);
  void StartEndPhase();
  void ResetToIdle();
  void CountDown();

  GameWindow& window_;
};
