// What must hold after every key and tick, whatever came before, for any window the game plays
// on: the in-memory one, the real main window headless, the soak and the fuzzer all ask this one
// checker. It states properties of the rules and never plays them a second time.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>

#include "GameWindow.h"
#include "Hex.h"
#include "main.h"

// What an event can be judged by, as the game and its window stand.
struct GameView {
  GameState state;
  std::uint32_t color = 0;
  bool ticking = false;
  std::map<GameLabel, std::string> captions;
  // A pixel of the window's own background and what the phase colour draws as, where there are pixels.
  std::optional<std::uint32_t> backgroundPixel, phaseDrawnAs;
};

enum class GameEvent { Key, Tick };

class GameInvariants {
 public:
  // Empty when every invariant holds after `event`; otherwise what broke. `refused` says that
  // the platform refused a timer during the event.
  std::string Check(GameEvent event, bool refused, const GameView& before, const GameView& after) {
    std::ostringstream broke;
    const GameState& was = before.state;
    const GameState& is = after.state;
    const auto fail = [&](const std::string& what) { broke << what << "; "; };
    const auto caption = [&](GameLabel label) {
      const auto found = after.captions.find(label);
      return found == after.captions.end() ? std::string("(none)") : found->second;
    };

    // The four phase colours, as literal values: clBtnFace, clLime, clRed, clAqua.
    const std::set<std::uint32_t> phases = {0x8000000F, 0x0000FF00, 0x000000FF, 0x00FFFF00};
    if (!phases.count(after.color)) fail("the window colour is not a phase");
    const bool wasInEnd = IsEnd(before.color), isInEnd = IsEnd(after.color);

    if (event == GameEvent::Key && wasInEnd) {
      if (!Same(before, after)) fail("a key in red or aqua changed something");
      return broke.str();
    }

    // How many hits a game has when it is in each phase.
    const std::int32_t hits = is.HitCount;
    if (after.color == 0x8000000F && (hits < 0 || hits > 100)) fail("HitCount outside 0..100 in play");
    if (after.color == 0x0000FF00 && (hits < 101 || hits > 333)) fail("HitCount outside 101..333 in the extra game");
    if (after.color == 0x000000FF && (hits < 0 || hits > 333)) fail("HitCount outside 0..333 after a miss");
    if (after.color == 0x00FFFF00 && hits != 101 && hits != 334) fail("a bonus end after neither 101 nor 334 hits");
    if (is.TimeLeft < 0 || is.TimeLeft > 20) fail("TimeLeft outside 0..20");
    // Wherever the millisecond counter stands, wrapped or not, the letter is one of A to Z.
    if (is.TargetLetter < 'a' || is.TargetLetter > 'z' || is.PrevLetter != is.TargetLetter - 32 ||
        caption(GameLabel::Label1) != std::string(1, static_cast<char>(is.PrevLetter))) {
      fail("the letter on display is not the target in upper case");
    }
    if (caption(GameLabel::Label12) != std::to_string(is.HiScore)) fail("HI-SCORE does not show the hi-score");
    if (isInEnd && !after.ticking) fail("an end phase without its ticks would never end");
    if (refused && after.ticking) fail("a timer runs after the platform refused it");
    if (after.color == 0x8000000F && is.Multiplier == 0 && after.ticking) fail("idle, yet ticking");

    // Points for a key: the ticks that were left times the multiplier, and perhaps a bonus.
    const std::int32_t points = was.TimeLeft * was.Multiplier;
    const std::set<std::int32_t> gains = event == GameEvent::Tick ? std::set<std::int32_t>{0}
                                                                   : std::set<std::int32_t>{0, points, points + 3000, points + 10000};
    const bool reset = FreshIdle(after) && !FreshIdle(before);
    if (reset) {
      const bool hiScoreTaken = is.HiScore == was.HiScore || (is.HiScore > was.HiScore && gains.count(is.HiScore - was.Score));
      if (!hiScoreTaken || is.HiScore < was.Score) fail("the reset did not keep the best score");
      if (is.Score != 0 || is.TimeLeft != 20 || caption(GameLabel::Label5) != "20" || after.ticking) {
        fail("a reset did not leave a playable idle with TIME 20");
      }
      if (event == GameEvent::Tick && wasInEnd && endTicks_ + 1 != 20) {
        fail("the end phase lasted " + std::to_string(endTicks_ + 1) + " ticks");
      }
      if (!(event == GameEvent::Tick && wasInEnd) && !refused) fail("a reset that was neither an end phase's end nor a refused timer");
    } else {
      if (!gains.count(is.Score - was.Score)) fail("the score moved by " + std::to_string(is.Score - was.Score));
      if (is.HiScore != was.HiScore) fail("the hi-score changed outside a reset");
      if (wasInEnd && isInEnd && event == GameEvent::Tick && endTicks_ + 1 >= 20) fail("the end phase outlasted 20 ticks");
    }
    endTicks_ = isInEnd && wasInEnd ? endTicks_ + (event == GameEvent::Tick) : 0;

    if (after.backgroundPixel && after.phaseDrawnAs && *after.backgroundPixel != *after.phaseDrawnAs) {
      fail("the window shows " + Hex(*after.backgroundPixel) + ", its phase " + Hex(*after.phaseDrawnAs));
    }
    return broke.str();
  }

 private:
  static bool IsEnd(std::uint32_t color) { return color == 0x000000FF || color == 0x00FFFF00; }
  static bool FreshIdle(const GameView& view) {
    return view.color == 0x8000000F && view.state.HitCount == 0 && view.state.Multiplier == 0 && view.state.EndTicks == 0;
  }
  static bool Same(const GameView& a, const GameView& b) {
    return a.state == b.state && a.color == b.color && a.ticking == b.ticking && a.captions == b.captions;
  }

  int endTicks_ = 0;  // ticks seen in the current end phase
};

// One thing a player or the clock does: a key after `ms` milliseconds, or the next tick; and
// whether the platform is to refuse the next timer the game asks for.
struct PlayerStep {
  GameEvent event = GameEvent::Key;
  std::uint8_t key = 0;
  std::uint32_t ms = 0;
  bool refuseTimer = false;
};

// A deterministic stream of steps from one seed. Each game gets a pace of its own, so that some
// run out of time early, some miss, and some reach both bonuses.
class PlayerModel {
 public:
  explicit PlayerModel(std::uint64_t seed) : state_(seed) { NewGame(); }

  PlayerStep Next(std::uint8_t target, bool ticking) {
    PlayerStep step;
    step.refuseTimer = Below(1000) < 2;
    if (ticking && Below(1000) < tickChance_) {
      step.event = GameEvent::Tick;
      return step;
    }
    step.ms = Below(300);
    if (Below(10000) < missChance_) step.key = static_cast<std::uint8_t>(Below(256));  // anything at all
    else step.key = static_cast<std::uint8_t>(Below(4) == 0 ? target - 32 : target);  // Shift or Caps Lock
    return step;
  }

  void NewGame() {
    tickChance_ = 20 + Below(600);
    missChance_ = Below(4) == 0 ? 0 : Below(300);
  }
  unsigned Below(unsigned n) { return static_cast<unsigned>(Random() % n); }

 private:
  std::uint64_t Random() {  // splitmix64: the same stream on every machine
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
  }

  std::uint64_t state_;
  unsigned tickChance_ = 0, missChance_ = 0;  // per thousand steps, per ten thousand keys
};

// Plays one step on a driver (which gives View() and Apply(step), true when a timer was refused)
// and judges it.
template <typename Driver>
std::string PlayStep(Driver& driver, GameInvariants& invariants, const PlayerStep& step) {
  const GameView before = driver.View();
  const bool refused = driver.Apply(step);
  return invariants.Check(step.event, refused, before, driver.View());
}

// A number from the environment, for the long runs and for replaying a failure.
inline std::uint64_t FromEnvironment(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}
