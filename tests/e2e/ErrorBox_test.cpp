// The error box on a real display, shown by a build of the program whose platform refuses the
// first timer: the first hit asks for one, and the failure ends that key's handling.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/Deadline.h"
#include "e2e/LabelPainter.h"
#include "e2e/Quillet.h"
#include "window/Form1Layout.h"

namespace e2e {
namespace {

class ErrorBox : public OnXServer {
 protected:
  // Another window titled QUILLET of the same process: the box.
  static XWindow OtherWindowOf(Quillet& quillet) {
    for (const XWindow window : VisibleWindowsTitled(Connection(), "QUILLET")) {
      if (window != quillet.MainWindow() && ProcessOf(Connection(), window) == quillet.Process().Pid()) return window;
    }
    return 0;
  }
};

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

}  // namespace
}  // namespace e2e
