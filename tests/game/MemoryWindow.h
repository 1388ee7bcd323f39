// A window that lives only in memory: it keeps the captions, the colour and the timer interval,
// ignores values that do not change, counts the changes, and can refuse the next timer.
#pragma once
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

#include "GameInvariants.h"
#include "GameWindow.h"
#include "main.h"
#include "window/Exception.h"
#include "window/TTimer.h"

class MemoryWindow : public GameWindow {
 public:
  // What the window shows before the game first writes to it.
  std::map<GameLabel, std::string> captions = {
      {GameLabel::Label1, "0"}, {GameLabel::Label2, "START "}, {GameLabel::Label3, "A - A"},
      {GameLabel::Label4, "0"}, {GameLabel::Label5, "20"},     {GameLabel::Label8, "0"},
      {GameLabel::Label12, "0"}, {GameLabel::Label14, " "}};
  std::uint32_t color = 0x8000000F;
  std::int32_t interval = 0;
  bool timerRunning = false;
  std::uint32_t tickCount = 0;
  bool refuseNextTimer = false;
  int changes = 0;       // captions, colour and interval changes taken together
  int timerStarts = 0;   // successful starts of a non-zero interval

  void SetCaption(GameLabel label, std::string_view text) override {
    const std::string kept(text.substr(0, text.find('\0')));
    if (captions[label] == kept) return;
    captions[label] = kept;
    ++changes;
  }
  void SetColor(std::uint32_t value) override {
    if (value == color) return;
    color = value;
    ++changes;
  }
  std::uint32_t Color() const override { return color; }
  void SetTimerInterval(std::int32_t value) override {
    if (value == interval) return;
    interval = value;
    ++changes;
    timerRunning = false;
    if (value == 0) return;
    if (refuseNextTimer) {
      refuseNextTimer = false;
      throw EOutOfResources(kTimerRefusedMessage);
    }
    timerRunning = true;
    ++timerStarts;
  }
  std::uint32_t GetTickCount() const override { return tickCount; }

  const std::string& operator[](GameLabel label) { return captions[label]; }
};

// The game on an in-memory window, played one step at a time for the invariant checker.
class MemoryDriver {
 public:
  explicit MemoryDriver(std::uint32_t counter) {
    window.tickCount = counter;
    game.FormCreate();
  }

  GameView View() const { return {game.State, window.color, window.timerRunning, window.captions, {}, {}}; }
  std::uint8_t Target() const { return static_cast<std::uint8_t>(game.State.TargetLetter); }
  bool Ticking() const { return window.timerRunning; }

  bool Apply(const PlayerStep& step) {
    window.refuseNextTimer = window.refuseNextTimer || step.refuseTimer;
    try {
      if (step.event == GameEvent::Tick) {
        window.tickCount += static_cast<std::uint32_t>(window.interval);
        game.Timer1Timer();
      } else {
        window.tickCount += step.ms;
        std::uint8_t key = step.key;
        game.FormKeyPress(key);
      }
    } catch (const EOutOfResources&) {
      return true;
    }
    return false;
  }

  MemoryWindow window;
  Game game{window};
};

