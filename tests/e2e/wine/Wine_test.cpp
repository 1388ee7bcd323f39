// The Windows build under Wine, on the suite's own X server: Wine's windows are X windows there,
// so the harness finds, types into and reads back the Windows program as it does the Linux one.
// What only the system can tell (the frame, label sizes, the message box) a probe asks Windows.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "e2e/Deadline.h"
#include "e2e/Quillet.h"
#include "Form1Layout.h"

namespace e2e {
namespace {

class UnderWine : public OnXServer {
 protected:
  // One Wine prefix for the suite: making one takes tens of seconds.
  static void SetUpTestSuite() {
    OnXServer::SetUpTestSuite();
    prefix_ = MakeTemporaryFolder("quillet-wine");
    Run({"wineboot", "--init"}, std::chrono::seconds(240));
    // The layout's face is a Windows font; the test machine has the one it was measured with.
    Run({"wine", "reg", "add", R"(HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes)", "/v",
         "ＭＳ Ｐゴシック", "/d", "梅Pゴシック", "/f"},
        std::chrono::seconds(60));
    // Wine's dialog font has no Japanese: linked to the same face, as Windows links its own.
    Run({"wine", "reg", "add", R"(HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink)", "/v",
         "Tahoma", "/t", "REG_MULTI_SZ", "/d", "ume-pgo4.ttf,梅Pゴシック", "/f"},
        std::chrono::seconds(60));
  }

  static void TearDownTestSuite() {
    Run({"wineserver", "--kill"}, std::chrono::seconds(30));
    std::filesystem::remove_all(prefix_);
    OnXServer::TearDownTestSuite();
  }

  // Wine reads a command line in the locale's character set: the face names given to `reg` are
  // UTF-8, and under a login with no locale (LANG unset) they would reach the registry mangled.
  static EnvironmentChanges Environment() {
    return {{{"DISPLAY", Server().DisplayName()}, {"WINEPREFIX", prefix_}, {"WINEDEBUG", "-all"}, {"LC_ALL", "C.UTF-8"}},
            {}};
  }

  // Runs a Wine command to its end and returns what it wrote on stderr.
  static std::string Run(const std::vector<std::string>& command, std::chrono::milliseconds timeout) {
    ChildProcess process(command, Environment());
    const auto exitCode = process.WaitForExit(timeout);
    if (exitCode != 0) {
      throw std::runtime_error(command[0] + " " + command[1] + " " +
                               (exitCode ? "ended with exit code " + std::to_string(*exitCode) : "did not end") +
                               ": " + process.ErrorText());
    }
    return process.ErrorText();
  }

  // The probe's report: each line's first word, and the rest of the line.
  static std::multimap<std::string, std::string> Probe(const std::string& what) {
    std::istringstream lines(Run({"wine", QUILLET_WINDOWS_PROBE_EXE, what}, std::chrono::seconds(30)));
    std::multimap<std::string, std::string> report;
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();  // Windows ends its lines so
      const auto first = line.find_first_not_of(' '), blank = line.find(' ', first);
      if (blank != std::string::npos) report.emplace(line.substr(first, blank - first), line.substr(blank + 1));
    }
    return report;
  }

  // GDI and SDL_ttf shade the edges of the same glyphs differently: by up to 186 of 255 steps
  // seen here (black on red), while a different caption differs by the full contrast somewhere.
  static Launch Windows(const char* executable, const std::vector<std::string>& arguments = {}) {
    Launch launch{{"wine", executable}, Environment(), std::chrono::seconds(30), 224};
    launch.command.insert(launch.command.end(), arguments.begin(), arguments.end());
    return launch;
  }

  static platform::ColorRef ButtonFace() {
    return static_cast<platform::ColorRef>(std::stoul(Probe("windows").find("buttonface")->second, nullptr, 16));
  }

 private:
  static std::string prefix_;
};

std::string UnderWine::prefix_;

TEST_F(UnderWine, TheWindowIsFramedAt200By109AroundA212By212ClientAreaWithTheLayoutsLabelSizes) {
  Quillet quillet(Server(), Windows(QUILLET_WINDOWS_EXE));
  const Placement client = quillet.ClientArea();
  const auto windows = Probe("windows");
  ASSERT_EQ(windows.count("window"), 1u);
  // The frame's corner is where the layout puts the window; the client area lies inside it.
  EXPECT_EQ(windows.find("window")->second,
            "QuilletWindow frame 200,109 client " + std::to_string(client.left) + "," + std::to_string(client.top) +
                " 212x212");
  EXPECT_EQ(client.width, 212);
  EXPECT_EQ(client.height, 212);

  // Every self-sizing label measures its caption as the layout recorded it. The credit line is
  // our own text, not the one the layout was recorded with.
  const auto layout = Probe("layout");
  for (const LabelLayout& label : Form1Layout().labels) {
    if (!label.autoSize || label.name == "Label6") continue;
    const auto probed = layout.find(label.name);
    ASSERT_NE(probed, layout.end()) << label.name;
    const std::string size = std::to_string(label.width) + "x" + std::to_string(label.height);
    EXPECT_EQ(probed->second.substr(probed->second.find(' ') + 1), size)
        << label.name << " in the face " << layout.find("face")->second;
  }

  const platform::ColorRef face = ButtonFace();
  EXPECT_NE(quillet.Letter(face), "") << "Label1 shows no letter from A to Z";
  EXPECT_TRUE(quillet.Shows("Label2", "START ", face));
}

// A hit, a second hit that scores, then a miss; Alt+F4 afterwards ends the program. Tab, which
// the system would turn into a character, is used up before: had it arrived, the hit would miss.
TEST_F(UnderWine, AGameTypedWithRealKeysScoresAndEndsOnAMissAndAltF4EndsTheProgramWithCode0) {
  Quillet quillet(Server(), Windows(QUILLET_WINDOWS_EXE));
  const platform::ColorRef face = ButtonFace();
  const std::string first = quillet.Letter(face);
  ASSERT_NE(first, "");
  quillet.Type("Tab");
  quillet.Type(LowerCase(first));
  ASSERT_TRUE(quillet.Shows("Label2", "GOOD !", face));
  EXPECT_TRUE(quillet.Shows("Label3", first + " - " + first, face));

  const std::string second = quillet.Letter(face);
  ASSERT_NE(second, "");
  quillet.Type("shift+" + LowerCase(second));
  ASSERT_TRUE(quillet.Shows("Label4", "1", face));
  EXPECT_NE(quillet.Read("Label8", Numbers(1, 20), face), "") << "SCORE shows no number from 1 to 20";

  quillet.Type(OtherThan(quillet.Letter(face)));
  ASSERT_TRUE(quillet.TurnsColor(kRed));
  EXPECT_TRUE(quillet.Shows("Label2", "MISS TYPING !", kRed));

  quillet.Keys().KeyThatCloses(quillet.MainWindow(), "alt+F4");
  EXPECT_TRUE(quillet.ExitsWith(0, std::chrono::seconds(10)));
}

// The system's own message box: its caption, the exact text with the full stop added, the stop
// icon and one OK button. Enter closes it and the game goes on; the close button ends it.
TEST_F(UnderWine, ARefusedTimerShowsTheSystemsStopBoxWithTheExactText) {
  Quillet quillet(Server(), Windows(QUILLET_WINDOWS_FAILING_EXE, {"timer"}));
  const platform::ColorRef face = ButtonFace();
  const std::string letter = quillet.Letter(face);
  ASSERT_NE(letter, "");
  quillet.Type(LowerCase(letter));

  // The probe lists only windows captioned QUILLET: the main window and the box.
  std::multimap<std::string, std::string> windows;
  ASSERT_TRUE(WaitUntil([&] { return (windows = Probe("windows")).count("window") == 2; }, std::chrono::seconds(10)))
      << "no message box captioned QUILLET appeared";
  EXPECT_EQ(windows.find("text")->second, "ﾀｲﾏｰを取得できません.");
  EXPECT_EQ(windows.find("buttons")->second, "OK");

  XWindow box = 0;
  for (const XWindow window : VisibleWindowsTitled(Connection(), "QUILLET")) {
    if (window != quillet.MainWindow()) box = window;
  }
  ASSERT_NE(box, 0u);
  // The stop icon is the one red sign among the system's message box icons. The box may show
  // before its icon is drawn, so the screen is read until the sign is there or time runs out.
  std::ptrdiff_t red = 0;
  WaitUntil([&] {
    const Image shown = Screenshot(Connection(), PlacementOf(Connection(), box));
    red = std::count_if(shown.pixels.begin(), shown.pixels.end(), [](platform::ColorRef c) {
      return (c & 0xFF) >= 192 && (c >> 8 & 0xFF) <= 64 && (c >> 16 & 0xFF) <= 64;
    });
    return red > 100;
  }, std::chrono::seconds(5));
  EXPECT_GT(red, 100) << "no stop sign in the box";
  quillet.Keys().KeyThatCloses(box, "Return");
  ASSERT_TRUE(WaitUntil([&] { return Probe("windows").count("window") == 1; }, std::chrono::seconds(10)));
  EXPECT_TRUE(quillet.Shows("Label2", "GOOD !", face));
  EXPECT_EQ(quillet.Letter(face), letter) << "the failed hit drew no next letter";

  AskToClose(Connection(), quillet.MainWindow());
  EXPECT_TRUE(quillet.ExitsWith(0, std::chrono::seconds(10)));
}

}  // namespace
}  // namespace e2e
