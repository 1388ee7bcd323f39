// Every platform call that the desktop may refuse can be refused in a test: after the calls it
// is told to let through, exactly as many as it is told fail, each as the real refusal would.
#include <functional>
#include <string>
#include <vector>

#include "HeadlessPlatform.h"

namespace platform {
namespace {

using InjectedFailures = HeadlessPlatform;
using testing::Failure;

TEST_F(InjectedFailures, EachKindFailsAfterTheSkippedCallsForAsManyCallsAsAsked) {
  const WindowHandle timerWindow = CreateMessageWindow();
  const WindowHandle shown = ShownWindow();
  int height = -40;  // a size nobody asked for yet, so that the font file is really opened
  struct Case {
    const char* name;
    Failure kind;
    std::function<bool()> call;  // true when it went through
    const char* reason;          // what a thrown failure says
  };
  const std::vector<Case> cases = {
      {"timer", Failure::Timer, [&] { return SetTimer(timerWindow, 1, 100); }, nullptr},
      {"font", Failure::FontOpen, [&] { return CreateFont({"IPAPGothic", --height}) != nullptr; }, "font"},
      {"window", Failure::WindowCreation, [&] { return CreateWindow({"QUILLET", 0, 0, 50, 50, true, 0, {}}) != 0; }, "window"},
      {"surface", Failure::WindowSurface, [&] { return BeginPaint(shown).canvas.surface != nullptr; }, "draw"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::InjectFailure(c.kind, 1, 2);
    std::vector<bool> went;
    for (int i = 0; i < 4; ++i) {
      try {
        went.push_back(c.call());
      } catch (const PlatformError& failure) {
        went.push_back(false);
        const std::string message = failure.what();
        EXPECT_NE(c.reason, nullptr) << "this call reports a refusal by its result: " << message;
        if (c.reason) {
          EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        }
        EXPECT_NE(message.find("refused by a test"), std::string::npos) << message;
      }
    }
    EXPECT_EQ(went, (std::vector<bool>{true, false, false, true}));
  }
  testing::InjectFailure(Failure::Timer, 0, testing::kEveryCall);
  session.Restart();
  EXPECT_TRUE(SetTimer(CreateMessageWindow(), 1, 100)) << "a new session starts with nothing refused";
}

}  // namespace
}  // namespace platform
