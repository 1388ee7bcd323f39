#include "bench/QuilletPlay.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "bench/Launch.h"
#include "bench/ProcessUsage.h"
#include "e2e/Deadline.h"
#include "e2e/LabelPainter.h"
#include "e2e/Quillet.h"
#include "e2e/XWindows.h"

namespace bench {
namespace {

constexpr int kMissesPerRun = 20;  // five runs give a hundred, enough for a p99
constexpr char kMiss = '1';          // never the letter on show
constexpr int kHitsAtFirstLevel = 10;  // the game keeps its first rhythm for the first eleven hits
constexpr int kHitsBeforeFastest = 42;  // the hit that brings the 55 ms ticks
constexpr int kSlowTicks = 20, kSlowPeriod = 655;
constexpr int kFastTicksPerHit = 10;
constexpr milliseconds kKeyTimeout{1000};

char LowerCase(const std::string& letter) { return static_cast<char>(letter.at(0) - 'A' + 'a'); }

class Player {
 public:
  Player(const e2e::XServer& server, ScreenWatch& screen, e2e::ChildProcess& process, Figures& figures)
      : server_(server), screen_(screen), process_(process), figures_(figures) {
    e2e::XDisplay* display = server.Connection();
    const bool found = e2e::WaitUntil([&] {
      for (const e2e::XWindow window : e2e::VisibleWindowsTitled(display, "QUILLET")) {
        if (e2e::ProcessOf(display, window) == process.Pid()) window_ = window;
      }
      return window_ != 0;
    });
    if (!found) throw std::runtime_error("no QUILLET window of the started process; it wrote: " + process.ErrorText());
    e2e::Focus(display, window_);
    screen_.Settle(kSettled, milliseconds(5000));
  }

  void Misses() {
    for (int i = 0; i < kMissesPerRun; ++i) {
      figures_.Add(kQuillet, "key -> screen, miss (ms)", Type(kMiss));
      // Red for two seconds, then the reset to idle.
      if (!screen_.NextFrame(milliseconds(4000))) throw std::runtime_error("the game did not reset after a miss");
      screen_.Settle(kSettled, milliseconds(5000));
    }
  }

  void Play() {
    letter_ = ReadLetter();
    Hit();  // the first key starts the clock at the first level
    std::vector<Time> ticks;
    for (int tick = 1; tick <= kSlowTicks; ++tick) {
      ticks.push_back(NextTick(screen_, kSlowPeriod));
      // A hit every other tick keeps the game going without leaving the first level.
      if (tick % 2 == 0 && tick < kSlowTicks && hits_ < kHitsAtFirstLevel) Hit();
    }
    AddTickFigures(figures_, kQuillet, ticks, kSlowPeriod);

    while (hits_ < kHitsBeforeFastest) HitAsSoonAsShown();
    screen_.Forget();
    ticks.clear();
    const ProcessUsage before = UsageOf(process_.Pid());
    const Time start = Clock::now();
    for (int tick = 1; tick <= kFastTicks; ++tick) {
      ticks.push_back(NextTick(screen_, kFastPeriod));
      if (tick % kFastTicksPerHit == 0) Hit();
    }
    const ProcessUsage after = UsageOf(process_.Pid());
    AddTickFigures(figures_, kQuillet, ticks, kFastPeriod);
    const double perTenSeconds = 10'000.0 / Milliseconds(Clock::now() - start);
    figures_.Add(kQuillet, "play 10 s: CPU (ms)",
                 static_cast<double>(after.cpuNanoseconds - before.cpuNanoseconds) / 1e6 * perTenSeconds);
    figures_.Add(kQuillet, "play 10 s: context switches",
                 static_cast<double>(after.contextSwitches - before.contextSwitches) * perTenSeconds);
  }

  void Close() {
    e2e::AskToClose(server_.Connection(), window_);
    if (!process_.WaitForExit(milliseconds(5000))) throw std::runtime_error("the game did not close when asked");
  }

 private:
  // Milliseconds from the key press leaving here to the end of the frame it causes.
  double Type(char c) {
    const Time pressed = screen_.Press(c);
    const auto frame = screen_.NextFrame(kKeyTimeout);
    screen_.Release(c);
    if (!frame) throw std::runtime_error(std::string("nothing was drawn for the key '") + c + "'");
    return Milliseconds(frame->last - pressed);
  }

  // A hit, timed: sent right after a tick's frame, so that the next frame is the key's own.
  void Hit() {
    figures_.Add(kQuillet, "key -> screen, hit (ms)", Type(LowerCase(letter_)));
    ++hits_;
    letter_ = ReadLetter();
  }

  // A hit between levels, where ticks come too often to tell frames apart: the screen is read
  // until LEVEL shows the count before this hit, as the game shows it.
  void HitAsSoonAsShown() {
    const char key = LowerCase(letter_);
    screen_.Press(key);
    screen_.Release(key);
    std::optional<std::string> next;
    const bool counted = e2e::WaitUntil([&] {
      const e2e::Image shot = Screen();
      if (!e2e::CompareLabel(shot, "Label4", std::to_string(hits_), e2e::ButtonFace()).Same()) return false;
      next = e2e::ShownCaption(shot, "Label1", e2e::Letters(), e2e::ButtonFace());
      return next.has_value();
    });
    if (!counted) throw std::runtime_error("hit " + std::to_string(hits_ + 1) + " was not counted");
    ++hits_;
    letter_ = *next;
  }

  e2e::Image Screen() const {
    return e2e::Screenshot(server_.Connection(), e2e::PlacementOf(server_.Connection(), window_));
  }

  std::string ReadLetter() const {
    std::optional<std::string> shown;
    e2e::WaitUntil([&] { return (shown = e2e::ShownCaption(Screen(), "Label1", e2e::Letters(), e2e::ButtonFace())).has_value(); });
    if (!shown) throw std::runtime_error("cannot read the letter on show");
    return *shown;
  }

  const e2e::XServer& server_;
  ScreenWatch& screen_;
  e2e::ChildProcess& process_;
  Figures& figures_;
  e2e::XWindow window_ = 0;
  std::string letter_;
  int hits_ = 0;
};

}  // namespace

void RunQuillet(const e2e::XServer& server, ScreenWatch& screen, const std::string& executable, Figures& figures) {
  const auto process = Launch(server, screen, {executable}, figures, kQuillet);
  Player player(server, screen, *process, figures);
  AddIdleCost(*process, screen, figures, kQuillet);
  player.Misses();
  player.Play();
  AddPeakMemory(*process, figures, kQuillet);
  player.Close();
}

}  // namespace bench
