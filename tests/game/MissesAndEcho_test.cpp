#include "GameFixture.h"

using L = GameLabel;

namespace {
// The echo line as the window keeps it: everything up to a zero byte.
std::string Echo(std::uint8_t expected, std::uint8_t typed) {
  const std::uint8_t shown = typed > 96 ? static_cast<std::uint8_t>(typed - 32) : typed;
  std::string line{static_cast<char>(expected), ' ', '-', ' '};
  if (shown != 0) line += static_cast<char>(shown);
  return line;
}
}  // namespace

TEST_F(GameFixture, UpperAndLowerCaseAreBothHits) {
  window.tickCount = 16;  // 'q'
  game.FormCreate();
  Type('Q');
  EXPECT_EQ(state.HitCount, 1);
  window.tickCount = 16;
  Type('q');
  EXPECT_EQ(state.HitCount, 2);
  EXPECT_EQ(Caption(L::Label3), "Q - Q");
  EXPECT_EQ(Phase(), GamePhase::Normal);
}

TEST_F(GameFixture, EveryOtherCodeIsAMissWhenIdleAndInPlay) {
  for (const bool inPlay : {false, true}) {
    for (int code = 0; code < 256; ++code) {
      game.FormCreate();
      window.color = static_cast<std::uint32_t>(GamePhase::Normal);
      window.tickCount = 2;  // 'c' on display
      game.FormCreate();
      if (inPlay) {
        window.tickCount = 2;
        Hit();
        Tick(1);
      }
      const auto key = static_cast<std::uint8_t>(code);
      if (key == 'c' || key == 'C') continue;
      SCOPED_TRACE((inPlay ? "in play, code " : "idle, code ") + std::to_string(code));
      const GameState before = state;
      const std::string level = Caption(L::Label4), time = Caption(L::Label5), score = Caption(L::Label8);
      window.tickCount = 5;  // the next letter: 'f'
      Type(key);
      EXPECT_EQ(Phase(), GamePhase::Over);
      EXPECT_EQ(Caption(L::Label2), "MISS TYPING !");
      EXPECT_EQ(window.interval, 100);
      EXPECT_EQ(state.TimeLeft, 20);
      EXPECT_EQ(state.HitCount, before.HitCount);
      EXPECT_EQ(state.Score, before.Score);
      EXPECT_EQ(state.Multiplier, before.Multiplier);
      EXPECT_EQ(Caption(L::Label4), level);
      EXPECT_EQ(Caption(L::Label5), time);
      EXPECT_EQ(Caption(L::Label8), score);
      EXPECT_EQ(Caption(L::Label1), "F");  // the next game's letter is already up
      EXPECT_EQ(Caption(L::Label3), Echo('C', key));
      EXPECT_EQ(state.PrevLetter, 'F');
    }
  }
}

TEST_F(GameFixture, EchoLineShowsTypedCodesAbove96ShiftedDown) {
  struct Case { std::uint8_t typed; const char* line; };
  const Case cases[] = {{'{', "C - ["}, {'1', "C - 1"}, {'&', "C - &"}, {0, "C - "}, {13, "C - \r"}, {255, "C - \xDF"}};
  for (const auto& c : cases) {
    window.color = static_cast<std::uint32_t>(GamePhase::Normal);
    window.tickCount = 2;
    game.FormCreate();
    Type(c.typed);
    EXPECT_EQ(Caption(L::Label3), c.line) << "typed " << int(c.typed);
  }
}

TEST_F(GameFixture, RedAndAquaIgnoreEveryKeyAndChangeNothing) {
  for (const GamePhase phase : {GamePhase::Over, GamePhase::Cleared}) {
    window.color = static_cast<std::uint32_t>(phase);
    PlayingAt(42, 7, 5, 1234, 100);
    const GameState before = state;
    const auto captions = window.captions;
    const int changes = window.changes;
    for (int code = 0; code < 256; ++code) {
      window.tickCount = static_cast<std::uint32_t>(code);
      Type(static_cast<std::uint8_t>(code));
    }
    EXPECT_EQ(state, before);
    EXPECT_EQ(window.captions, captions);
    EXPECT_EQ(window.changes, changes);
    EXPECT_EQ(window.color, static_cast<std::uint32_t>(phase));
  }
}
