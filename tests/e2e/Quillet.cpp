#include "e2e/Quillet.h"

#include <algorithm>
#include <iostream>

#include "e2e/Deadline.h"
#include "e2e/LabelPainter.h"

namespace e2e {

platform::ColorRef ButtonFace() {
  LabelPainter::Get();  // the headless platform answers for the system colours
  return platform::GetSysColor(15);
}

std::vector<std::string> Letters() {
  std::vector<std::string> letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters.emplace_back(1, c);
  return letters;
}

std::vector<std::string> Numbers(int from, int to) {
  std::vector<std::string> numbers;
  for (int n = from; n <= to; ++n) numbers.push_back(std::to_string(n));
  return numbers;
}

std::string LowerCase(const std::string& letter) {
  std::string lower = letter;
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return lower;
}

std::string OtherThan(const std::string& letter) { return letter == "Q" ? "z" : "q"; }

Quillet::Quillet(const XServer& server, const std::string& executable, const std::vector<std::string>& arguments,
                 const EnvironmentChanges& more)
    : Quillet(server, [&] {
        Launch launch{{executable}, more};
        launch.command.insert(launch.command.end(), arguments.begin(), arguments.end());
        return launch;
      }()) {}

Quillet::Quillet(const XServer& server, const Launch& launch)
    : server_(server), keys_(server.DisplayName()), channelTolerance_(launch.channelTolerance) {
  // The program must find this server and nothing else: no Wayland, no forced SDL driver.
  // A window of the program a test before may still be on the way out: only this process's counts.
  EnvironmentChanges environment{{{"DISPLAY", server.DisplayName()}}, {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}};
  environment.set.insert(environment.set.end(), launch.environment.set.begin(), launch.environment.set.end());
  environment.unset.insert(environment.unset.end(), launch.environment.unset.begin(), launch.environment.unset.end());
  process_ = std::make_unique<ChildProcess>(launch.command, environment, launch.errorOutput);
  const bool found = WaitUntil(
      [&] {
        for (const XWindow window : VisibleWindowsTitled(server.Connection(), "QUILLET")) {
          if (ProcessOf(server.Connection(), window) == process_->Pid()) window_ = window;
        }
        return window_ != 0 || !process_->Running();
      },
      launch.startup);
  if (!found || window_ == 0) {
    throw std::runtime_error("no window titled QUILLET appeared within " + std::to_string(launch.startup.count()) +
                             " ms; stderr: " + process_->ErrorText());
  }
}

Quillet::~Quillet() {
  if (::testing::Test::HasFailure()) {
    if (const auto exitCode = process_->WaitForExit(std::chrono::milliseconds(0))) {
      std::cerr << "The program had ended with exit code " << *exitCode << ".\n";
    }
    if (!process_->ErrorText().empty()) std::cerr << "It wrote on stderr:\n" << process_->ErrorText() << '\n';
  }
  process_->Stop();
}

Placement Quillet::ClientArea() const {
  try {
    return PlacementOf(server_.Connection(), window_);
  } catch (const std::exception&) {
    const auto exitCode = process_->WaitForExit(std::chrono::milliseconds(0));
    throw std::runtime_error("the main window is gone; the program " +
                             (exitCode ? "ended with exit code " + std::to_string(*exitCode) : std::string("still runs")) +
                             "; its stderr: " + process_->ErrorText());
  }
}

Image Quillet::SettledScreen() const {
  Image previous = Screen(), current;
  WaitUntil([&] {
    current = Screen();
    if (current == previous) return true;
    previous = current;
    return false;
  });
  return current;
}

std::optional<Image> Quillet::ScreenOnceAllIsHandled() const {
  constexpr platform::ColorRef kNeverPainted = 0x00FF00FF;  // magenta: no colour of the game
  std::optional<Image> repainted;
  try {
    PaintOverAndExpose(server_.Connection(), window_, kNeverPainted);
    WaitUntil([&] {
      if (!process_->Running()) return true;
      Image screen = Screen();
      if (std::find(screen.pixels.begin(), screen.pixels.end(), kNeverPainted) != screen.pixels.end()) return false;
      repainted = std::move(screen);
      return true;
    });
  } catch (const std::runtime_error&) {
    return std::nullopt;  // the window went with the program
  }
  return repainted;
}

platform::ColorRef Quillet::WindowColor() const {
  return Screenshot(server_.Connection(), [&] {
           Placement spot = ClientArea();
           spot.left += 2, spot.top += 100, spot.width = 1, spot.height = 1;
           return spot;
         }())
      .At(0, 0);
}

::testing::AssertionResult Quillet::Shows(const std::string& label, const std::string& caption,
                                          platform::ColorRef windowColor, std::chrono::milliseconds timeout) const {
  Difference last;
  if (WaitUntil([&] { return (last = CompareLabel(Screen(), label, caption, windowColor)).SameWithin(channelTolerance_); }, timeout)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << label << " does not show \"" << caption << "\" on " << Hex(windowColor)
                                       << " within " << timeout.count() << " ms: " << last.Describe()
                                       << "; the window colour is " << Hex(WindowColor());
}

::testing::AssertionResult Quillet::TurnsColor(platform::ColorRef color, std::chrono::milliseconds timeout) const {
  if (WaitUntil([&] { return WindowColor() == color; }, timeout)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the window is " << Hex(WindowColor()) << ", not " << Hex(color)
                                       << ", after " << timeout.count() << " ms";
}

std::string Quillet::Read(const std::string& label, const std::vector<std::string>& candidates,
                          platform::ColorRef windowColor) const {
  std::optional<std::string> shown;
  WaitUntil([&] { return (shown = ShownCaption(SettledScreen(), label, candidates, windowColor, channelTolerance_)).has_value(); });
  return shown.value_or("");
}

::testing::AssertionResult Quillet::ExitsWith(int code, std::chrono::milliseconds timeout) {
  const auto exitCode = process_->WaitForExit(timeout);
  if (!exitCode) return ::testing::AssertionFailure() << "still running after " << timeout.count() << " ms";
  if (*exitCode != code) {
    return ::testing::AssertionFailure() << "exit code " << *exitCode << ", stderr: " << process_->ErrorText();
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult EndsWithCode1SayingOneLineAbout(ChildProcess& quillet, const std::string& subject) {
  const auto exitCode = quillet.WaitForExit(std::chrono::seconds(5));
  if (!exitCode) return ::testing::AssertionFailure() << "still running after 5 s";
  const std::string& text = quillet.ErrorText();
  if (*exitCode != 1) return ::testing::AssertionFailure() << "exit code " << *exitCode << ", stderr: " << text;
  if (std::count(text.begin(), text.end(), '\n') != 1) {
    return ::testing::AssertionFailure() << "not one line on stderr:\n" << text;
  }
  if (text.find(subject) == std::string::npos) {
    return ::testing::AssertionFailure() << "stderr does not mention " << subject << ":\n" << text;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace e2e
