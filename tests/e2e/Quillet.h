// The real program on a test X server: started, its main window found, keys typed into it and
// what it shows read back from the screen. Each test starts its own, so each begins idle.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "e2e/ChildProcess.h"
#include "e2e/Image.h"
#include "e2e/XServer.h"
#include "e2e/XWindows.h"
#include "e2e/Xdotool.h"

namespace e2e {

inline constexpr platform::ColorRef kRed = 0x000000FF;  // the window when a game ends on a miss
platform::ColorRef ButtonFace();                       // the window when idle or playing

std::vector<std::string> Letters();                    // "A" to "Z"
std::vector<std::string> Numbers(int from, int to);    // "from" to "to"
std::string LowerCase(const std::string& letter);
std::string OtherThan(const std::string& letter);  // a lower-case letter that misses this one

// How the program is started: its command line, what it adds to the environment, and how long
// its window may take to appear.
struct Launch {
  std::vector<std::string> command;
  EnvironmentChanges environment;
  std::chrono::milliseconds startup{5000};
  int channelTolerance = 0;  // for a program whose text another rasteriser draws (Difference::SameWithin)
  ErrorOutput errorOutput = ErrorOutput::Capture;
};

class Quillet {
 public:
  // Starts the program and waits up to 5 s for its window to be on screen.
  Quillet(const XServer& server, const std::string& executable, const std::vector<std::string>& arguments = {},
          const EnvironmentChanges& more = {});
  Quillet(const XServer& server, const Launch& launch);
  ~Quillet();  // on a failed test, shows what the program wrote on stderr
  Quillet(const Quillet&) = delete;
  Quillet& operator=(const Quillet&) = delete;

  ChildProcess& Process() { return *process_; }
  XWindow MainWindow() const { return window_; }
  Placement ClientArea() const;
  Image Screen() const { return Screenshot(server_.Connection(), ClientArea()); }
  // A screenshot taken once two in a row agree, so that no paint is caught half presented.
  Image SettledScreen() const;
  // The window once the program has handled everything sent to it before this call. The test
  // paints over the window and exposes it; the program repaints only once it has taken and
  // handled all that came before, so when that paint is gone their effects are on screen. Empty
  // when the program ends instead, or no repaint comes within 3 s.
  std::optional<Image> ScreenOnceAllIsHandled() const;
  // The window colour, read where no label ever is.
  platform::ColorRef WindowColor() const;

  void Type(const std::string& chord) const { keys_.Key(window_, chord); }
  const Xdotool& Keys() const { return keys_; }

  // Polls until the label shows the caption, with the window in `windowColor`.
  ::testing::AssertionResult Shows(const std::string& label, const std::string& caption,
                                   platform::ColorRef windowColor = ButtonFace(),
                                   std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) const;
  ::testing::AssertionResult TurnsColor(platform::ColorRef color,
                                        std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) const;
  // Polls until the label shows one of the candidates; empty if none within 3 s.
  std::string Read(const std::string& label, const std::vector<std::string>& candidates,
                   platform::ColorRef windowColor = ButtonFace()) const;
  std::string Letter(platform::ColorRef windowColor = ButtonFace()) const {
    return Read("Label1", Letters(), windowColor);
  }
  // Waits for the process to end on its own within `timeout`.
  ::testing::AssertionResult ExitsWith(int code, std::chrono::milliseconds timeout);

 private:
  const XServer& server_;
  std::unique_ptr<ChildProcess> process_;
  XWindow window_ = 0;
  Xdotool keys_;
  int channelTolerance_ = 0;
};

// A program that cannot go on ends by itself within 5 s, with exit code 1 and one line on
// stderr that mentions `subject`.
::testing::AssertionResult EndsWithCode1SayingOneLineAbout(ChildProcess& quillet, const std::string& subject);

// A test suite with an X server of its own, started once for all its tests, and a window
// manager on it if asked for.
template <WindowManager kWindowManager>
class OnServer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = std::make_unique<XServer>(kWindowManager); }
  static void TearDownTestSuite() { server_.reset(); }
  static const XServer& Server() {
    if (!server_) throw std::runtime_error("the suite's X server did not start");
    return *server_;
  }
  static XDisplay* Connection() { return Server().Connection(); }

 private:
  static inline std::unique_ptr<XServer> server_;
};
using OnXServer = OnServer<WindowManager::Absent>;
using UnderAWindowManager = OnServer<WindowManager::Openbox>;

}  // namespace e2e
