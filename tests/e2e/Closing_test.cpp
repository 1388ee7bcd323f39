// Closing the window ends the program at once, in any phase, with exit code 0.
#include <gtest/gtest.h>
#include <signal.h>

#include <functional>
#include <utility>
#include <vector>

#include "e2e/Deadline.h"
#include "e2e/Quillet.h"

namespace e2e {
namespace {

class Closing : public OnXServer {};

struct Phase {
  const char* name;
  std::function<void(Quillet&)> reach;
};

struct Way {
  const char* name;
  std::function<void(Quillet&)> close;
  std::chrono::milliseconds deadline{1000};
};

// As a window manager does for the close button: WM_DELETE_WINDOW. And Alt+F4 in the window.
TEST_F(Closing, TheCloseRequestOrAltF4EndsTheProgramWithCode0InAnyPhase) {
  const Phase idle{"idle", [](Quillet&) {}};
  const Phase playing{"playing", [](Quillet& quillet) {
                        quillet.Type(LowerCase(quillet.Letter()));
                        ASSERT_TRUE(quillet.Shows("Label2", "GOOD !"));
                      }};
  const Phase missed{"red after a miss", [](Quillet& quillet) {
                       quillet.Type(OtherThan(quillet.Letter()));
                       ASSERT_TRUE(quillet.TurnsColor(kRed));
                     }};
  const Way closeRequest{"close request", [](Quillet& quillet) { AskToClose(Connection(), quillet.MainWindow()); }};
  const Way altF4{"Alt+F4", [](Quillet& quillet) { quillet.Keys().KeyThatCloses(quillet.MainWindow(), "alt+F4"); }};
  // 40,000 keys wait for the program, stopped meanwhile, ahead of the close. The close request
  // goes on at once; Alt+F4, itself a key, comes when the keys before it are taken, in linear
  // time (a third of a second in an optimised build, more under the sanitizers).
  const auto behindABacklog = [](const char* name, void (*close)(Quillet&), std::chrono::milliseconds deadline) {
    return Way{name, [close](Quillet& quillet) {
                 const unsigned key = KeycodeOf(Connection(), LowerCase(OtherThan(quillet.Letter())));
                 kill(quillet.Process().Pid(), SIGSTOP);
                 SendKeystrokes(Connection(), quillet.MainWindow(), key, 40000);
                 close(quillet);
                 kill(quillet.Process().Pid(), SIGCONT);
               }, deadline};
  };
  const Way closeRequestBehindKeys = behindABacklog("close request behind 40,000 keys", [](Quillet& quillet) {
    AskToClose(Connection(), quillet.MainWindow());
  }, std::chrono::milliseconds(1000));
  const Way altF4BehindKeys = behindABacklog("Alt+F4 behind 40,000 keys", [](Quillet& quillet) {
    SendChord(Connection(), quillet.MainWindow(), KeycodeOf(Connection(), "Alt_L"), 8 /* Mod1Mask */,
              KeycodeOf(Connection(), "F4"));
  }, std::chrono::milliseconds(3000));

  for (const auto& [phase, way] : std::vector<std::pair<Phase, Way>>{
           {idle, closeRequest}, {playing, closeRequest}, {missed, closeRequest}, {idle, altF4}, {missed, altF4},
           {idle, closeRequestBehindKeys}, {idle, altF4BehindKeys}}) {
    SCOPED_TRACE(std::string(way.name) + " while " + phase.name);
    Quillet quillet(Server(), QUILLET_EXE);
    ASSERT_NE(quillet.Letter(), "");
    phase.reach(quillet);
    if (HasFatalFailure()) return;
    way.close(quillet);
    EXPECT_TRUE(quillet.ExitsWith(0, way.deadline));
    EXPECT_EQ(quillet.Process().ErrorText(), "");
  }
}

// Another program destroying a window of the game (`xdotool windowclose`) leaves nothing to play
// in: the program says so in a line of its own and ends with code 1, in any phase, the error
// box's included, instead of dying in Xlib's error handler or running on with no window.
TEST_F(Closing, AWindowDestroyedByAnotherProgramEndsTheProgramWithOneLineAndCode1InAnyPhase) {
  struct Case {
    const char* phase;
    std::vector<std::string> command;
    std::function<XWindow(Quillet&)> reach;  // the window to destroy
  };
  const Case cases[] = {
      {"idle", {QUILLET_EXE}, [](Quillet& quillet) { return quillet.MainWindow(); }},
      {"playing", {QUILLET_EXE}, [](Quillet& quillet) {
         quillet.Type(LowerCase(quillet.Letter()));
         EXPECT_TRUE(quillet.Shows("Label2", "GOOD !"));
         return quillet.MainWindow();
       }},
      {"red after a miss", {QUILLET_EXE}, [](Quillet& quillet) {
         quillet.Type(OtherThan(quillet.Letter()));
         EXPECT_TRUE(quillet.TurnsColor(kRed));
         return quillet.MainWindow();
       }},
      {"the error box open, the box destroyed", {QUILLET_FAILING_EXE, "timer"}, [](Quillet& quillet) {
         quillet.Type(LowerCase(quillet.Letter()));
         XWindow box = 0;
         EXPECT_TRUE(WaitUntil([&] {
           for (const XWindow window : VisibleWindowsTitled(Connection(), "QUILLET")) {
             if (window != quillet.MainWindow()) box = window;
           }
           return box != 0;
         })) << "no error box appeared";
         return box;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.phase);
    Quillet quillet(Server(), Launch{c.command, {}});
    const XWindow window = c.reach(quillet);
    if (window == 0) continue;
    DestroyWindow(Connection(), window);
    EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet.Process(), "another program destroyed a window of the game"));
  }
}

// Alt+F4 that closed another window is still held as this one first gets the focus, and the
// server repeats F4 into it: keys held before the focus came are not new presses.
TEST_F(Closing, AltF4StillHeldWhenTheWindowFirstGetsTheFocusLeavesItOpen) {
  SetKeyRepeat(Connection(), std::chrono::milliseconds(100), std::chrono::milliseconds(30));
  const Xdotool keyboard(Server().DisplayName());
  keyboard.KeyDown("alt");
  keyboard.KeyDown("F4");
  struct Release {
    const Xdotool& keyboard;
    ~Release() {
      keyboard.KeyUp("F4");
      keyboard.KeyUp("alt");
    }
  } release{keyboard};
  Quillet quillet(Server(), QUILLET_EXE);
  Focus(Connection(), quillet.MainWindow());
  // Three repeats into the window, then all it was sent is handled: a close would have ended the
  // program before the repaint after them.
  KeyPresses f4(Connection(), quillet.MainWindow(), KeycodeOf(Connection(), "F4"));
  WaitUntil([&] { return f4.Count() >= 3 || !quillet.Process().Running(); });
  EXPECT_TRUE(quillet.ScreenOnceAllIsHandled() && quillet.Process().Running()) << "the held Alt+F4 closed the window";
  EXPECT_GE(f4.Count(), 3) << "the server did not repeat the held F4 into the window";
}

}  // namespace
}  // namespace e2e
