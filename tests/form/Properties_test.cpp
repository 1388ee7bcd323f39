// Seeded random play on the real main window headless, judged after every event by the same
// checker as the rules alone, pixels included: 24 virtual hours of games, refused timers with
// their error boxes, and idle spells between games, across the millisecond counter's wrap. What
// the platform keeps for the program, and the heap, must stay as they were after the first hour.
// QUILLET_PROPERTY_EVENTS and QUILLET_PROPERTY_SEED lengthen the run or replay a failure.
#include <malloc.h>

#include <algorithm>

#include "Form1Fixture.h"
#include "game/GameInvariants.h"
#include "platform/Testing.h"
#include "window/Colors.h"
#include "window/Exception.h"

namespace {

using platform::testing::Now;
using platform::testing::SetClock;
constexpr std::uint64_t kHour = 3'600'000;
constexpr GameLabel kGameLabels[] = {GameLabel::Label1, GameLabel::Label2, GameLabel::Label3,  GameLabel::Label4,
                                     GameLabel::Label5, GameLabel::Label8, GameLabel::Label12, GameLabel::Label14};

class Form1Properties : public Form1Test {
 protected:
  void SetUp() override {
    Form1Test::SetUp();
    // Each refused timer's box is read and closed by Enter, as a player would.
    platform::testing::WhenIdle([this] {
      TErrorBox* box = ActiveErrorBox();
      ASSERT_NE(box, nullptr) << "idle inside the box's loop, but no box is active";
      EXPECT_EQ(box->Text(), kTimerRefusedMessage + ".");
      ++boxes;
      platform::testing::PostMessage({platform::Msg::KeyDown, box->Handle(), 0x0D, 0});
    });
  }
  void TearDown() override { platform::testing::InjectFailure(platform::testing::Failure::Timer, 0, 0); }

 public:  // the driver that PlayStep plays on
  GameView View() const {
    GameView view{form->game.State, form->Color(), platform::testing::NextTimerDeadline().has_value(), {},
                  Pixel(2, 100),    ColorToRGB(form->Color())};  // (2, 100): no label ever covers it
    for (const GameLabel label : kGameLabels) view.captions[label] = Caption(static_cast<int>(label));
    return view;
  }
  std::uint8_t Target() const { return static_cast<std::uint8_t>(form->game.State.TargetLetter); }
  bool Ticking() const { return platform::testing::NextTimerDeadline().has_value(); }

  bool Apply(const PlayerStep& step) {
    if (step.refuseTimer) platform::testing::InjectFailure(platform::testing::Failure::Timer);
    const int boxesBefore = boxes;
    const auto deadline = platform::testing::NextTimerDeadline();
    if (step.event == GameEvent::Tick) {
      SetClock(*deadline);
      ProcessMessages();
    } else {
      // The key comes a little later, but before the next tick.
      SetClock(std::min(Now() + step.ms, deadline ? *deadline - 1 : UINT64_MAX));
      platform::testing::PostMessage({platform::Msg::Char, form->Handle(), step.key, 0});
      ProcessMessages();
    }
    return boxes > boxesBefore;
  }

 protected:
  int boxes = 0;
};

}  // namespace

TEST_F(Form1Properties, TwentyFourVirtualHoursOfGamesAndErrorBoxesKeepTheInvariantsAndTheBookkeepingFlat) {
  const std::uint64_t seed = FromEnvironment("QUILLET_PROPERTY_SEED", 20261207);
  const std::uint64_t leastEvents = FromEnvironment("QUILLET_PROPERTY_EVENTS", 80000) / 4;
  PlayerModel player(seed);
  GameInvariants invariants;
  // Every character the echo line can show, drawn once, so that the glyph caches (which fill up
  // and then stay) are full before the heap is first weighed.
  for (int key = 0; key < 256; ++key) {
    Type(static_cast<char>(key));
    AdvanceTime(20'000);
  }
  const std::uint64_t start = std::max<std::uint64_t>(Now(), 0xFFFFFFFFu - 30'000u);  // wraps half a minute in
  SetClock(start);
  ProcessMessages();

  std::optional<platform::testing::Bookkeeping> kept;
  std::size_t heap = 0;
  std::uint64_t n = 0, games = 0, hour = 0;
  for (; hour < 24 || n < leastEvents; ++n) {
    if (!Ticking() && form->game.State.Multiplier == 0) {  // idle: sometimes the player walks away
      if (player.Below(2) == 0) SetClock(Now() + player.Below(60 * 60'000));
      player.NewGame(), ++games;
    }
    const std::string broken = PlayStep(*this, invariants, player.Next(Target(), Ticking()));
    ASSERT_EQ(broken, "") << "seed " << seed << ", event " << n;

    // Hourly, between games, everything is back to what an idle window holds.
    if ((Now() - start) / kHour <= hour || Ticking() || form->game.State.Multiplier != 0) continue;
    hour = (Now() - start) / kHour;
    const std::size_t heapNow = mallinfo2().uordblks;
    if (!kept) {
      kept = platform::testing::Counts(), heap = heapNow;
      continue;
    }
    const auto counts = platform::testing::Counts();
    ASSERT_EQ(counts, *kept) << "hour " << hour << ": timers " << counts.timers << ", windows " << counts.windows
                             << ", queued " << counts.queuedMessages << ", fonts " << counts.openFonts;
    EXPECT_LE(heapNow, heap + 64 * 1024) << "hour " << hour << ": the heap grew from " << heap;
  }
  EXPECT_GT(boxes, 10) << "refused timers at the game's call sites";
  EXPECT_GT(games, 50u);
  std::printf("%llu events, %llu games, %d error boxes over %llu virtual hours\n",
              static_cast<unsigned long long>(n), static_cast<unsigned long long>(games), boxes,
              static_cast<unsigned long long>(hour));
}
