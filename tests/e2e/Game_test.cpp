// Real games typed with real keys: what a hit shows, which keys end a game, which never arrive,
// and a key held down.
#include <gtest/gtest.h>

#include <optional>

#include "e2e/Deadline.h"
#include "e2e/Quillet.h"

namespace e2e {
namespace {

class Game : public OnXServer {};

TEST_F(Game, ALetterTypedInEitherCaseIsAHitThatScoresAndBringsTheNext) {
  Quillet quillet(Server(), QUILLET_EXE);
  const std::string first = quillet.Letter();
  ASSERT_NE(first, "") << "Label1 shows no letter from A to Z";

  quillet.Type(LowerCase(first));
  ASSERT_TRUE(quillet.Shows("Label2", "GOOD !"));
  EXPECT_TRUE(quillet.Shows("Label3", first + " - " + first));
  EXPECT_TRUE(quillet.Shows("Label4", "0"));
  EXPECT_TRUE(quillet.Shows("Label8", "0")) << "the first key finds no ticks left to score";

  const std::string second = quillet.Letter();
  ASSERT_NE(second, "");
  quillet.Type("shift+" + LowerCase(second));
  ASSERT_TRUE(quillet.Shows("Label4", "1"));
  EXPECT_TRUE(quillet.Shows("Label3", second + " - " + second));
  // One point for each of the 20 ticks of 655 ms still left when the key came.
  const std::string score = quillet.Read("Label8", Numbers(1, 20));
  EXPECT_NE(score, "") << "SCORE shows no number from 1 to 20";
  EXPECT_EQ(quillet.WindowColor(), ButtonFace()) << "still playing";
}

TEST_F(Game, TabShiftTabAndAltWithALetterNeverReachTheGame) {
  Quillet quillet(Server(), QUILLET_EXE);
  const std::string letter = quillet.Letter();
  ASSERT_NE(letter, "");
  const Image idle = quillet.SettledScreen();

  quillet.Type("Tab");
  quillet.Type("shift+Tab");
  quillet.Type("alt+" + OtherThan(letter));
  // Idle means no timer: once the program has handled the keys the picture is what it was.
  const std::optional<Image> after = quillet.ScreenOnceAllIsHandled();
  ASSERT_TRUE(after) << "the program did not repaint its window after the keys";
  EXPECT_TRUE(*after == idle) << "the idle window changed after Tab, Shift+Tab or Alt with a letter";

  // Keys arrive in order, so this one shows what the others did: had any of them reached the
  // game it would have been a miss, and the window would be red and deaf to this key.
  quillet.Type(LowerCase(letter));
  ASSERT_TRUE(quillet.Shows("Label2", "GOOD !"));
  EXPECT_TRUE(quillet.Shows("Label4", "0"));
  EXPECT_TRUE(quillet.Shows("Label3", letter + " - " + letter));
}

// While the left button is held down over the window the mouse is captured, and keys skip the
// dialog handling that uses Tab up: Tab then arrives as the character 9, a miss.
TEST_F(Game, TabWithTheLeftButtonHeldDownOverTheWindowArrivesAndIsAMiss) {
  Quillet quillet(Server(), QUILLET_EXE);
  ASSERT_NE(quillet.Letter(), "");
  quillet.Keys().ButtonDownAt(quillet.MainWindow(), 100, 190);
  quillet.Type("Tab");
  quillet.Keys().ButtonUp();
  ASSERT_TRUE(quillet.TurnsColor(kRed));
  EXPECT_TRUE(quillet.Shows("Label2", "MISS TYPING !", kRed));
}

TEST_F(Game, EnterEscapeBackspaceAndCtrlWithALetterEachEndTheGameAsAMiss) {
  Quillet quillet(Server(), QUILLET_EXE);
  ASSERT_NE(quillet.Letter(), "");
  for (const std::string key : {"Return", "Escape", "BackSpace", "ctrl+a"}) {
    SCOPED_TRACE(key);
    // The game before ends with two seconds of red, then waits idle again.
    ASSERT_TRUE(quillet.TurnsColor(ButtonFace(), milliseconds(4000)));
    quillet.Type(key);
    ASSERT_TRUE(quillet.TurnsColor(kRed));
    EXPECT_TRUE(quillet.Shows("Label2", "MISS TYPING !", kRed));
  }
  EXPECT_TRUE(quillet.TurnsColor(ButtonFace(), milliseconds(4000))) << "the last game never ended";
}

// The server repeats a held key as a keyboard does; each repeat is a key of its own for the
// game. After the first press the letter has changed, so the first repeat is a miss, unless
// the same letter came up again, in which case it is a second hit.
TEST_F(Game, AHeldKeyRepeatsAndTheRepeatsAreJudgedLikeKeys) {
  Quillet quillet(Server(), QUILLET_EXE);
  const std::string letter = quillet.Letter();
  ASSERT_NE(letter, "");
  SetKeyRepeat(Connection(), milliseconds(250), milliseconds(40));
  Focus(Connection(), quillet.MainWindow());

  // Held until the server has sent the window the press and two repeats of it.
  KeyPresses presses(Connection(), quillet.MainWindow(), KeycodeOf(Connection(), LowerCase(letter)));
  quillet.Keys().KeyDown(LowerCase(letter));
  const bool held = WaitUntil([&] { return presses.Count() >= 3; });
  quillet.Keys().KeyUp(LowerCase(letter));
  ASSERT_TRUE(held) << "the server did not repeat the held key: " << presses.Count() << " presses";

  std::string level;
  const bool repeated = WaitUntil([&] {
    if (quillet.WindowColor() == kRed) return true;
    level = quillet.Read("Label4", Numbers(1, 30));
    return !level.empty();
  });
  EXPECT_TRUE(repeated) << "neither red nor past LEVEL 0: the held key was typed once only";
}

// SDL reports AltGr as right Alt. On a German layout AltGr+Q types "@", which reaches the game
// (and misses); left Alt+Q still types nothing.
TEST_F(Game, OnAGermanLayoutAltGrQTypesAnAtSignAndLeftAltQNothing) {
  // The keys by place, read before the layout makes right Alt AltGr.
  const unsigned rightAlt = KeycodeOf(Connection(), "Alt_R"), leftAlt = KeycodeOf(Connection(), "Alt_L"),
                 q = KeycodeOf(Connection(), "q");
  ASSERT_TRUE(rightAlt && leftAlt && q);
  ChildProcess german({"setxkbmap", "-display", Server().DisplayName(), "de"}, {});
  ASSERT_EQ(german.WaitForExit(milliseconds(5000)), 0) << german.ErrorText();
  struct BackToUs {
    const XServer& server;
    ~BackToUs() { ChildProcess({"setxkbmap", "-display", server.DisplayName(), "us"}, {}).WaitForExit(milliseconds(5000)); }
  } restore{Server()};

  Quillet quillet(Server(), QUILLET_EXE);
  const std::string letter = quillet.Letter();
  ASSERT_NE(letter, "");
  const Image idle = quillet.SettledScreen();
  constexpr unsigned kMod1 = 1 << 3, kMod5 = 1 << 7;  // Alt; AltGr (ISO_Level3_Shift) on this layout
  SendChord(Connection(), quillet.MainWindow(), leftAlt, kMod1, q);
  const std::optional<Image> after = quillet.ScreenOnceAllIsHandled();
  ASSERT_TRUE(after) << "the program did not repaint its window after left Alt+Q";
  EXPECT_TRUE(*after == idle) << "left Alt+Q reached the game";

  SendChord(Connection(), quillet.MainWindow(), rightAlt, kMod5, q);
  ASSERT_TRUE(quillet.TurnsColor(kRed)) << "AltGr+Q did not reach the game";
  EXPECT_TRUE(quillet.Shows("Label3", letter + " - @", kRed));
}

}  // namespace
}  // namespace e2e
