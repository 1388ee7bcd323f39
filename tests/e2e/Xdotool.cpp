#include "e2e/Xdotool.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "e2e/ChildProcess.h"

namespace e2e {

void Xdotool::Key(XWindow window, const std::string& chord) const {
  Run({"key", "--window", std::to_string(window), chord});
}

void Xdotool::KeyThatCloses(XWindow window, const std::string& chord) const {
  if (Run({"key", "--window", std::to_string(window), chord}, true)) return;
  // xdotool types into the window that has the focus through the virtual keyboard, and gives up
  // at the first release that finds the window gone: a modifier would stay held down for every
  // later test on this server.
  std::vector<std::string> release{"keyup"};
  for (std::size_t start = 0; start < chord.size();) {
    const std::size_t plus = std::min(chord.find('+', start), chord.size());
    release.push_back(chord.substr(start, plus - start));
    start = plus + 1;
  }
  Run(release);
}

void Xdotool::KeyDown(const std::string& key) const { Run({"keydown", key}); }

void Xdotool::KeyUp(const std::string& key) const { Run({"keyup", key}); }

void Xdotool::ButtonDownAt(XWindow window, int x, int y) const {
  Run({"mousemove", "--window", std::to_string(window), std::to_string(x), std::to_string(y), "mousedown", "1"});
}

void Xdotool::ButtonUp() const { Run({"mouseup", "1"}); }

bool Xdotool::Run(const std::vector<std::string>& arguments, bool windowMayVanish) const {
  std::vector<std::string> command{"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  ChildProcess xdotool(command, {{{"DISPLAY", displayName_}}, {}});
  const auto exitCode = xdotool.WaitForExit(std::chrono::seconds(5));
  const bool vanished = windowMayVanish && xdotool.ErrorText().find("BadWindow") != std::string::npos;
  if (exitCode != 0 && !vanished) {
    std::string line;
    for (const std::string& word : command) line += word + " ";
    throw std::runtime_error(line + (exitCode ? "failed: " + xdotool.ErrorText() : "did not finish within 5 s"));
  }
  return !vanished;
}

}  // namespace e2e
