#include "main.h"

namespace {

constexpr std::int32_t kAllowance = 20;      // ticks per letter before the penalty
constexpr std::int32_t kEndPhaseTicks = 20;  // red or aqua lasts this many ticks
constexpr std::int32_t kEndPhaseInterval = 100;

std::string OneCharacter(std::uint8_t code) { return std::string(1, static_cast<char>(code)); }

bool InPlay(GamePhase phase) { return phase == GamePhase::Normal || phase == GamePhase::Extra; }

}  // namespace

void Game::Show(GameLabel label, std::int32_t number) { window_.SetCaption(label, std::to_string(number)); }

// The millisecond counter is the only source of chance: two draws in the same millisecond agree.
void Game::DrawLetter() {
  State.TargetLetter = static_cast<std::int32_t>(97 + window_.GetTickCount() % 26);
  window_.SetCaption(GameLabel::Label1, OneCharacter(static_cast<std::uint8_t>(State.TargetLetter - 32)));
}

void Game::FormCreate() {
  DrawLetter();
  window_.SetTimerInterval(0);
  State.TimeLeft = 0;  // TIME keeps showing "20" until the first key
  State.HitCount = 0;
  State.Multiplier = 0;
  State.Score = 0;
  State.TimePenalty = 0;
  State.HiScore = 0;
  State.PrevLetter = static_cast<std::uint8_t>(State.TargetLetter - 32);
}

void Game::FormKeyPress(std::uint8_t& Key) {
  if (!InPlay(Phase())) return;  // red and aqua ignore every key

  const std::uint8_t typed = Key;
  const bool hit = typed == static_cast<std::uint8_t>(State.TargetLetter) ||
                   typed == static_cast<std::uint8_t>(State.TargetLetter - 32);
  if (hit) {
    Hit();
  } else {
    Miss();
  }

  State.Separator = " - ";
  DrawLetter();  // on a miss too: the next game's letter is already up during the end phase
  const std::uint8_t shown = typed > 96 ? static_cast<std::uint8_t>(typed - 32) : typed;
  window_.SetCaption(GameLabel::Label3, OneCharacter(State.PrevLetter) + State.Separator + OneCharacter(shown));
  if (Phase() == GamePhase::Cleared) {
    window_.SetCaption(GameLabel::Label3, State.HitCount > 300 ? "GIVE UP !" : "GREAT !!");
  }
  State.PrevLetter = static_cast<std::uint8_t>(State.TargetLetter - 32);
}

void Game::Hit() {
  Show(GameLabel::Label4, State.HitCount);
  State.Score += State.TimeLeft * State.Multiplier;
  Show(GameLabel::Label5, State.TimeLeft);
  window_.SetCaption(GameLabel::Label2, State.HitCount > 100 ? "EXTRA GAME" : "GOOD !");

  // Each band overrides the one before it.
  State.TickInterval = 655, State.Multiplier = 1, State.TimePenalty = 0;
  if (State.HitCount > 10) State.TickInterval = 218, State.Multiplier = 2;
  if (State.HitCount > 20) State.TickInterval = 163, State.Multiplier = 3;
  if (State.HitCount > 30) State.TickInterval = 108, State.Multiplier = 4;
  if (State.HitCount > 40) State.TickInterval = 55, State.Multiplier = 5;
  // An unchanged period leaves the rhythm alone; only the first hit and a new level restart it.
  window_.SetTimerInterval(State.TickInterval);
  if (State.HitCount > 50) State.Multiplier = 10, State.TimePenalty = 4;
  if (State.HitCount > 70) State.Multiplier = 27, State.TimePenalty = 9;

  if (State.HitCount >= 100) {
    if (State.Score >= 7000) {
      SetPhase(GamePhase::Extra);
      if (State.HitCount == 100) {
        window_.SetCaption(GameLabel::Label2, "BONUS 3000");
        State.Score += 3000;
      }
      State.Multiplier = 29, State.TimePenalty = 11;
    } else {
      EndWithBonus("BONUS 3000", 3000);
    }
  }
  if (State.HitCount > 332) EndWithBonus("BONUS 10000", 10000);

  Show(GameLabel::Label8, State.Score);
  State.TimeLeft = kAllowance - State.TimePenalty;
  State.HitCount += 1;
}

void Game::Miss() {
  window_.SetCaption(GameLabel::Label2, "MISS TYPING !");
  SetPhase(GamePhase::Over);
  StartEndPhase();
  State.TimeLeft = kAllowance;
}

void Game::EndWithBonus(const char* message, std::int32_t bonus) {
  SetPhase(GamePhase::Cleared);
  window_.SetCaption(GameLabel::Label2, message);
  State.Score += bonus;
  StartEndPhase();
}

// Without its ticks an end phase would never end and the window would ignore every key until
// closed. So when the platform refuses the end-phase timer, the game is reset to idle at once
// (the hi-score taken as at a normal end) and the failure still goes on to be reported.
void Game::StartEndPhase() {
  try {
    window_.SetTimerInterval(kEndPhaseInterval);
  } catch (...) {
    ResetToIdle();
    CountDown();
    throw;
  }
}

void Game::Timer1Timer() {
  if (!InPlay(Phase())) State.EndTicks += 1;
  if (State.EndTicks == kEndPhaseTicks) ResetToIdle();
  if (InPlay(Phase())) CountDown();  // after a reset this turns 21 into the idle display "20"
}

void Game::ResetToIdle() {
  State.EndTicks = 0;
  State.Multiplier = 0;
  SetPhase(GamePhase::Normal);
  window_.SetTimerInterval(0);
  State.HitCount = 0;
  State.TimeLeft = kAllowance + 1;
  if (State.Score > State.HiScore) State.HiScore = State.Score;  // a tie keeps the old one
  Show(GameLabel::Label12, State.HiScore);
  State.Score = 0;
  window_.SetCaption(GameLabel::Label14, " ");
}

void Game::CountDown() {
  State.TimeLeft -= 1;
  Show(GameLabel::Label5, State.TimeLeft);
  if (State.TimeLeft == 0) {
    SetPhase(GamePhase::Over);
    window_.SetCaption(GameLabel::Label2, "TIME OVER !");
    StartEndPhase();
    State.TimeLeft = kAllowance;
  }
}
