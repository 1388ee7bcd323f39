// The error box on a real display, shown by a build of the program whose platform refuses the
// first timer: the first hit asks for one, and the failure ends that key's handling.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "e2e/Deadline.h"
#include "e2e/LabelPainter.h"
#include "e2e/Quillet.h"
#include "Form1Layout.h"

namespace e2e {
namespace {

// Another window titled QUILLET of the same process: the box.
XWindow BoxOf(XDisplay* display, Quillet& quillet) {
  for (const XWindow window : VisibleWindowsTitled(display, "QUILLET")) {
    if (window != quillet.MainWindow() && ProcessOf(display, window) == quillet.Process().Pid()) return window;
  }
  return 0;
}

class ErrorBox : public OnXServer {
 protected:
  static XWindow OtherWindowOf(Quillet& quillet) { return BoxOf(Connection(), quillet); }
};
class ErrorBoxUnderOpenbox : public UnderAWindowManager {};

// "ﾀｲﾏｰを取得できません" and the full stop the failure handler adds, in code page 932.
const std::string kRefusedTimer = "\xC0\xB2\xCF\xB0\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1.";

TEST_F(ErrorBox, ARefusedTimerShowsTheBoxAndTheGameTakesNoKeysUntilItIsClosed) {
  Quillet quillet(Server(), QUILLET_FAILING_EXE, {"timer"});
  const std::string letter = quillet.Letter();
  ASSERT_NE(letter, "");

  quillet.Type(LowerCase(letter));
  XWindow box = 0;
  ASSERT_TRUE(WaitUntil([&] { return (box = OtherWindowOf(quillet)) != 0; })) << "no error box appeared";

  // The message as the program's text services draw it in the box's font, somewhere in the box.
  TFont font;
  font.Name = kWindowFace;
  font.Height = -12;
  const Image message = LabelPainter::Get().DrawText(
      font, kRefusedTimer, platform::DT_LEFT | platform::DT_EXPANDTABS | platform::DT_NOPREFIX,
      platform::GetSysColor(15), platform::GetSysColor(8));
  std::optional<std::pair<int, int>> at;
  EXPECT_TRUE(WaitUntil([&] { return (at = Find(Screenshot(Connection(), PlacementOf(Connection(), box)), message)).has_value(); }))
      << "the box does not show the refused timer's message with its full stop";

  // Keys for the game window are lost while the box is open; Enter on the box closes it.
  quillet.Type(OtherThan(letter));
  quillet.Keys().KeyThatCloses(box, "Return");
  ASSERT_TRUE(WaitUntil([&] { return OtherWindowOf(quillet) == 0; })) << "Enter did not close the box";

  // The failed hit had shown its status but not yet drawn the next letter. Had the lost key
  // reached the game, the window would now be red and deaf for two seconds, and the two hits
  // below would not count.
  EXPECT_TRUE(quillet.Shows("Label2", "GOOD !"));
  EXPECT_EQ(quillet.Letter(), letter);
  quillet.Type(LowerCase(letter));
  ASSERT_TRUE(quillet.Shows("Label3", letter + " - " + letter));
  const std::string next = quillet.Letter();
  ASSERT_NE(next, "");
  quillet.Type(LowerCase(next));
  EXPECT_TRUE(quillet.Shows("Label4", "1")) << "the game does not go on after the box";
  EXPECT_EQ(quillet.WindowColor(), ButtonFace());
}

// Each refusal the desktop may make ends in its designed result: the box above, or, where no box
// can be shown (no font, no window, nothing to draw into, the box's own window refused), one line
// on stderr and exit code 1, never a hang or a silent end.
TEST_F(ErrorBox, EveryOtherRefusedPlatformCallEndsTheProgramWithOneLineAndCode1) {
  struct Case {
    std::vector<std::string> failures;
    bool typeALetter;  // the first hit asks for the first timer
    std::string saying;
  };
  const Case cases[] = {
      {{"font"}, false, "font"},
      {{"window"}, false, "cannot create a window"},
      {{"surface:0:-1"}, false, "cannot draw into the window"},
      {{"timer", "window:1"}, true, "the error box cannot show: \xEF\xBE\x80\xEF\xBD\xB2"},  // "ﾀｲ", as UTF-8
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.failures.front() + (c.failures.size() > 1 ? " " + c.failures.back() : ""));
    if (c.typeALetter) {
      Quillet quillet(Server(), QUILLET_FAILING_EXE, c.failures);
      quillet.Keys().KeyThatCloses(quillet.MainWindow(), LowerCase(quillet.Letter()));  // the program ends on it
      EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet.Process(), c.saying));
      continue;
    }
    std::vector<std::string> command{QUILLET_FAILING_EXE};
    command.insert(command.end(), c.failures.begin(), c.failures.end());
    ChildProcess quillet(command, {{{"DISPLAY", Server().DisplayName()}}, {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}});
    EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, c.saying));
  }
}

// The window manager learns what the box is: a modal dialog of the game window, with close
// as its only button. It opens centred over the game window where the user has moved it, and
// while it is up the game window cannot be closed. Closing the box from its frame acts as OK.
TEST_F(ErrorBoxUnderOpenbox, IsAModalDialogCentredOverTheMovedGameWindowWhichCannotBeClosedMeanwhile) {
  Quillet quillet(Server(), QUILLET_FAILING_EXE, {"timer"});
  const std::string letter = quillet.Letter();
  ASSERT_NE(letter, "");
  MoveWindow(Connection(), quillet.MainWindow(), 20, 30);
  ASSERT_TRUE(WaitUntil([&] { return OuterPlacementOf(Connection(), quillet.MainWindow()).left == 20; }))
      << "openbox did not move the game window";

  quillet.Type(LowerCase(letter));
  XWindow box = 0;
  ASSERT_TRUE(WaitUntil([&] { return (box = BoxOf(Connection(), quillet)) != 0; })) << "no error box appeared";
  EXPECT_EQ(AtomsOf(Connection(), box, "_NET_WM_WINDOW_TYPE"), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
  EXPECT_TRUE(WaitUntil([&] {
    const auto state = AtomsOf(Connection(), box, "_NET_WM_STATE");
    return std::find(state.begin(), state.end(), "_NET_WM_STATE_MODAL") != state.end();
  })) << "the box is not modal";
  EXPECT_EQ(TransientForOf(Connection(), box), quillet.MainWindow());
  // Move and close only. Openbox keeps a minimise of its own for every window (for a dialog it
  // minimises the owner with it), so only maximise and resize are seen to be gone.
  EXPECT_EQ(MotifFunctionsOf(Connection(), box), 4 | 32);
  const auto actions = AtomsOf(Connection(), box, "_NET_WM_ALLOWED_ACTIONS");
  for (const char* action : {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"}) {
    EXPECT_EQ(std::find(actions.begin(), actions.end(), action), actions.end()) << action;
  }

  const Placement game = OuterPlacementOf(Connection(), quillet.MainWindow());
  Placement dialog;
  EXPECT_TRUE(WaitUntil([&] {
    dialog = OuterPlacementOf(Connection(), box);
    return std::abs(2 * dialog.left + dialog.width - 2 * game.left - game.width) <= 2 &&
           std::abs(2 * dialog.top + dialog.height - 2 * game.top - game.height) <= 2;
  })) << "the box's frame is at " << dialog.left << "," << dialog.top << " " << dialog.width << "x" << dialog.height
      << ", the game's at " << game.left << "," << game.top << " " << game.width << "x" << game.height;

  AskToClose(Connection(), quillet.MainWindow());
  // The window keeps painting under the box; a close honoured would have ended the program first.
  EXPECT_TRUE(quillet.ScreenOnceAllIsHandled() && quillet.Process().Running())
      << "the game window closed under its error box";
  AskToClose(Connection(), box);
  ASSERT_TRUE(WaitUntil([&] { return BoxOf(Connection(), quillet) == 0; })) << "closing the box did not close it";
  EXPECT_TRUE(quillet.Shows("Label2", "GOOD !")) << "the game did not go on after the box";
}

}  // namespace
}  // namespace e2e
