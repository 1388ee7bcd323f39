// The program as the desktop sees it: where its window is, what it is called, that it cannot be
// resized, and what happens with no desktop at all.
#include <gtest/gtest.h>
#include <png.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "e2e/Deadline.h"
#include "e2e/LabelPainter.h"
#include "e2e/Quillet.h"

namespace e2e {
namespace {

class MainWindow : public OnXServer {};

// The desktop's icon file as a taskbar would read it from the window: 0xAARRGGBB words, which
// are BGRA bytes on this machine.
WindowIcon ReadPng(const char* path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path)) throw std::runtime_error(std::string("cannot read ") + path + ": " + image.message);
  image.format = PNG_FORMAT_BGRA;
  WindowIcon icon{static_cast<int>(image.width), static_cast<int>(image.height),
                  std::vector<std::uint32_t>(static_cast<std::size_t>(image.width) * image.height)};
  if (!png_image_finish_read(&image, nullptr, icon.argb.data(), 0, nullptr)) {
    throw std::runtime_error(std::string("cannot decode ") + path + ": " + image.message);
  }
  return icon;
}

// With no window manager to move it, the client area is exactly where the outer corner belongs.
TEST_F(MainWindow, OpensAt200By109WithAFixed212By212ClientAreaTitledQuillet) {
  Quillet quillet(Server(), QUILLET_EXE);

  EXPECT_EQ(VisibleWindowsTitled(Connection(), "QUILLET").size(), 1u) << "one window on screen";
  const Placement client = quillet.ClientArea();
  EXPECT_EQ(client.left, 200);
  EXPECT_EQ(client.top, 109);
  EXPECT_EQ(client.width, 212);
  EXPECT_EQ(client.height, 212);
  EXPECT_EQ(TitleOf(Connection(), quillet.MainWindow()), "QUILLET");

  // Equal minimum and maximum sizes are how a window tells the window manager it has no
  // resizable frame and no maximise button.
  const SizeLimits limits = SizeLimitsOf(Connection(), quillet.MainWindow());
  ASSERT_TRUE(limits.hasMinimum && limits.hasMaximum);
  EXPECT_EQ(limits.minWidth, 212);
  EXPECT_EQ(limits.minHeight, 212);
  EXPECT_EQ(limits.maxWidth, 212);
  EXPECT_EQ(limits.maxHeight, 212);
  // And for window managers that would still draw a maximise button: move, minimise, close only.
  EXPECT_EQ(MotifFunctionsOf(Connection(), quillet.MainWindow()), 4 | 8 | 32);

  // Its icon is the desktop's 32-pixel one, transparency and all.
  const std::optional<WindowIcon> icon = IconOf(Connection(), quillet.MainWindow());
  ASSERT_TRUE(icon.has_value()) << "no _NET_WM_ICON";
  const WindowIcon file = ReadPng(QUILLET_ICON_PNG);
  EXPECT_EQ(icon->width, 32);
  EXPECT_EQ(icon->height, 32);
  EXPECT_TRUE(icon->argb == file.argb) << "the window's icon differs from " << QUILLET_ICON_PNG;

  // Idle: a letter, the captions of the layout, the grey window.
  EXPECT_NE(quillet.Letter(), "") << "Label1 shows no letter from A to Z";
  EXPECT_TRUE(quillet.Shows("Label2", "START "));
  EXPECT_EQ(quillet.WindowColor(), ButtonFace());
}

class UnderOpenbox : public UnderAWindowManager {};

bool Lists(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// A window manager frames the window: the frame's outer corner is where the window belongs,
// and the frame offers no maximise.
TEST_F(UnderOpenbox, TheFrameOpensWithItsOuterCornerAt200By109AndNoMaximise) {
  Quillet quillet(Server(), QUILLET_EXE);
  Placement outer;
  EXPECT_TRUE(WaitUntil([&] {
    outer = OuterPlacementOf(Connection(), quillet.MainWindow());
    return outer.left == 200 && outer.top == 109;
  })) << "the frame's outer corner is at " << outer.left << "," << outer.top;
  EXPECT_EQ(quillet.ClientArea().width, 212);
  EXPECT_EQ(quillet.ClientArea().height, 212);
  const auto actions = AtomsOf(Connection(), quillet.MainWindow(), "_NET_WM_ALLOWED_ACTIONS");
  EXPECT_TRUE(Lists(actions, "_NET_WM_ACTION_MINIMIZE"));
  EXPECT_TRUE(Lists(actions, "_NET_WM_ACTION_CLOSE"));
  EXPECT_FALSE(Lists(actions, "_NET_WM_ACTION_MAXIMIZE_HORZ") || Lists(actions, "_NET_WM_ACTION_MAXIMIZE_VERT"));
  EXPECT_FALSE(Lists(actions, "_NET_WM_ACTION_RESIZE"));
}

// A headless sway, run as an ordinary user (it refuses root), with no XWayland: only SDL's own
// Wayland support can show the window there. The test's root user reaches its socket all the same.
class Sway {
 public:
  explicit Sway(int scale) {
    if (!FindProgram("sway") || !FindProgram("grim")) throw Unavailable("sway or grim is not installed");
    try {
      runtime_ = MakeTemporaryFolder("quillet-sway");
    } catch (const std::runtime_error& failure) {
      throw Unavailable(failure.what());
    }
    const char* folder = runtime_.c_str();
    std::vector<std::string> command;
    if (geteuid() == 0) {
      if (!FindProgram("setpriv") || chown(folder, 65534, 65534) != 0) throw Unavailable("cannot hand a folder to nobody");
      command = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    }
    const std::string config = runtime_ + "/config";
    std::FILE* file = std::fopen(config.c_str(), "w");
    if (!file) throw Unavailable("cannot write sway's configuration");
    // Its own output at a known size, no borders, and the window floating at the top left corner,
    // so that the screenshot's corner is the client area.
    std::fprintf(file, "output HEADLESS-1 resolution 640x480 position 0 0 scale %d\n"
                       "default_border none\ndefault_floating_border none\nxwayland disable\n"
                       "for_window [title=\"QUILLET\"] floating enable, move position 0 0\n", scale);
    std::fclose(file);
    command.insert(command.end(), {"sway", "-c", config});
    process_ = std::make_unique<ChildProcess>(
        command, EnvironmentChanges{{{"XDG_RUNTIME_DIR", runtime_}, {"HOME", runtime_}, {"WLR_BACKENDS", "headless"},
                                     {"WLR_RENDERER", "pixman"}, {"WLR_LIBINPUT_NO_DEVICES", "1"}},
                                    {"DISPLAY", "WAYLAND_DISPLAY"}});
    WaitUntil([&] { return !(socket_ = SocketName()).empty() || !process_->Running(); }, milliseconds(10000));
    if (socket_.empty()) throw Unavailable("sway did not start: " + process_->ErrorText());
    // A compositor that starts but cannot draw (no shared memory for its buffers, say) could not
    // show the window either.
    std::string failure;
    if (!WaitUntil([&] { return !Screenshot(&failure).pixels.empty(); }, milliseconds(5000))) {
      throw Unavailable("sway runs but no screenshot can be taken of it: " + failure);
    }
  }
  ~Sway() {
    process_.reset();
    std::filesystem::remove_all(runtime_);
  }
  EnvironmentChanges Client() const {
    return {{{"XDG_RUNTIME_DIR", runtime_}, {"WAYLAND_DISPLAY", socket_}, {"SDL_VIDEODRIVER", "wayland"}}, {"DISPLAY"}};
  }
  Image Screenshot(std::string* failure = nullptr) const {
    const std::string path = runtime_ + "/shot.ppm";
    ChildProcess grim({"grim", "-t", "ppm", path}, Client());
    grim.WaitForExit(std::chrono::seconds(5));
    Image image = ReadPpm(path);
    if (failure && image.pixels.empty()) *failure = grim.ErrorText();
    return image;
  }
  struct Unavailable : std::runtime_error { using std::runtime_error::runtime_error; };

 private:
  std::string SocketName() const {
    for (const auto& entry : std::filesystem::directory_iterator(runtime_)) {
      const std::string name = entry.path().filename();
      if (name.rfind("wayland-", 0) == 0 && entry.is_socket()) return name;
    }
    return {};
  }
  std::string runtime_, socket_;
  std::unique_ptr<ChildProcess> process_;
};

// The same window, drawn by the same code, is the same picture on Wayland as on X11; only the
// letter, drawn at random, may differ. On an output scaled by 2 it is the picture X11 shows at
// 192 dpi, one pixel for one: nothing blown up. A key from the compositor's virtual keyboard
// reaches it, and the compositor's end is the program's.
TEST_F(MainWindow, OnWaylandWithoutXWaylandTheIdleWindowIsTheSameAsOnX11) {
  for (const int scale : {2, 1}) {
    SCOPED_TRACE("output scale " + std::to_string(scale));
    std::unique_ptr<Sway> sway;
    try {
      sway = std::make_unique<Sway>(scale);
    } catch (const Sway::Unavailable& reason) {
      GTEST_SKIP() << "no Wayland compositor to test with: " << reason.what();
    }
    SetResources(Connection(), "Xft.dpi:\t" + std::to_string(96 * scale) + "\n");
    Quillet onX11(Server(), QUILLET_EXE);
    SetResources(Connection(), "");
    ASSERT_TRUE(WaitUntil([&] { return onX11.WindowColor() == ButtonFace(); })) << "the window on X11 is not painted";
    // At 192 dpi LEVEL grows the window to 433 pixels; Wayland sizes it in whole points, so
    // there it has one more column of the window's colour, outside what is compared.
    const Image x11 = onX11.SettledScreen();
    ChildProcess quillet({QUILLET_EXE}, sway->Client());
    const platform::Rect client{0, 0, x11.width, x11.height}, letter{88 * scale, 0, 161 * scale, 97 * scale};
    const auto outsideTheLetter = [&](Image image) {
      if (image.width < letter.right || image.height < letter.bottom) return image;  // nothing there to mask
      for (int y = letter.top; y < letter.bottom; ++y) {
        for (int x = letter.left; x < letter.right; ++x) image.pixels[static_cast<std::size_t>(y * image.width + x)] = 0;
      }
      return image;
    };
    Image wayland;
    const bool same = WaitUntil([&] {
      const Image screen = sway->Screenshot();
      if (screen.width < client.right || screen.height < client.bottom) return false;
      wayland = screen.Crop(client);
      return outsideTheLetter(wayland) == outsideTheLetter(x11);
    }, milliseconds(10000));
    ASSERT_TRUE(same) << "Wayland's client area differs from X11's: " << Compare(outsideTheLetter(wayland), outsideTheLetter(x11)).Describe()
                      << "; the program wrote: " << quillet.ErrorText();
    if (scale != 1) continue;
    const auto shown = ShownCaption(wayland, "Label1", Letters(), ButtonFace());
    ASSERT_TRUE(shown.has_value()) << "Label1 shows no letter on Wayland";
    if (FindProgram("wtype")) {
      // The headless compositor has no keyboard until wtype brings its virtual one; the program
      // takes up a keyboard only once the compositor announces it, so the key waits a moment.
      ChildProcess wtype({"wtype", "-s", "500", LowerCase(*shown)}, sway->Client());
      ASSERT_EQ(wtype.WaitForExit(std::chrono::seconds(5)), 0) << wtype.ErrorText();
      EXPECT_TRUE(WaitUntil([&] {
        return CompareLabel(sway->Screenshot().Crop(client), "Label2", "GOOD !", ButtonFace()).Same();
      })) << "the typed letter did not arrive as a hit";
    }
    // The compositor going away ends the program as a lost X server does.
    sway.reset();
    EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, "connection to the display was lost"));
  }
}

// A socket where the display should be that is no display: it takes the program's connection,
// then closes it or never says a word. `address` is a path, or a name in the abstract namespace
// when it begins with '\0'.
class FalseDisplay {
 public:
  explicit FalseDisplay(const std::string& address)
      : listener_(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)), path_(address[0] == '\0' ? "" : address) {
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    address.copy(where.sun_path, sizeof where.sun_path - 1);
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + address.size());
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&where), length) != 0 || listen(listener_, 4) != 0) {
      throw std::runtime_error("cannot listen at " + address + ": " + std::strerror(errno));
    }
  }
  ~FalseDisplay() {
    if (connection_ >= 0) close(connection_);
    close(listener_);
    if (!path_.empty()) unlink(path_.c_str());
  }
  FalseDisplay(const FalseDisplay&) = delete;
  FalseDisplay& operator=(const FalseDisplay&) = delete;

  // Whether the program connected within 5 s; its connection is held open until HangUp.
  bool Connected() {
    return WaitUntil([&] { return connection_ >= 0 || (connection_ = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0; },
                     milliseconds(5000));
  }
  void HangUp() {
    if (connection_ >= 0) close(connection_);
    connection_ = -1;
  }

 private:
  int listener_, connection_ = -1;
  std::string path_;  // none in the abstract namespace
};

// A login with no desktop, such as a text console or ssh without forwarding: the session still
// has its runtime directory, but no display of either kind. Or WAYLAND_DISPLAY names a socket
// that is no compositor, which closes the connection or never answers it.
TEST(WithoutADisplay, TheProgramSaysWhatIsWrongInOneLineAndEndsWithCode1) {
  const std::string runtimeDirectory = MakeTemporaryFolder("quillet-e2e");
  const EnvironmentChanges noDisplay{{{"XDG_RUNTIME_DIR", runtimeDirectory}}, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}};
  {
    ChildProcess quillet({QUILLET_EXE}, noDisplay);
    EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, "graphical session"));
  }
  for (const bool hangUp : {true, false}) {
    SCOPED_TRACE(hangUp ? "a socket that closes the connection" : "a socket that never answers");
    FalseDisplay socket(runtimeDirectory + "/not-wayland");
    EnvironmentChanges environment = noDisplay;
    environment.set.emplace_back("WAYLAND_DISPLAY", "not-wayland");
    ChildProcess quillet({QUILLET_EXE}, environment);
    ASSERT_TRUE(socket.Connected());
    if (hangUp) socket.HangUp();
    EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, hangUp ? "closed the connection" : "did not answer"));
  }
  std::filesystem::remove_all(runtimeDirectory);
}

// Interrupted (Ctrl+C) or asked to end while it waits at start-up for a display that never
// answers, a Wayland socket or an X server, the program ends there and then.
TEST(WithoutADisplay, SigintOrSigtermEndsAStartWaitingOnADisplayThatNeverAnswers) {
  const std::string runtimeDirectory = MakeTemporaryFolder("quillet-e2e");
  {
    SCOPED_TRACE("Wayland, SIGTERM");
    FalseDisplay socket(runtimeDirectory + "/silent");
    ChildProcess quillet({QUILLET_EXE}, {{{"XDG_RUNTIME_DIR", runtimeDirectory}, {"WAYLAND_DISPLAY", "silent"}},
                                         {"DISPLAY", "SDL_VIDEODRIVER"}});
    ASSERT_TRUE(socket.Connected());
    kill(quillet.Pid(), SIGTERM);
    EXPECT_EQ(quillet.WaitForExit(milliseconds(1000)), 128 + SIGTERM);
  }
  {
    SCOPED_TRACE("X11, SIGINT");
    // Xlib looks for display :N in the abstract namespace first; one that nothing listens on.
    std::unique_ptr<FalseDisplay> socket;
    int number = 500;
    for (; !socket && number < 600; ++number) {
      try {
        socket = std::make_unique<FalseDisplay>(std::string(1, '\0') + "/tmp/.X11-unix/X" + std::to_string(number));
      } catch (const std::runtime_error&) {
      }
    }
    ASSERT_TRUE(socket) << "no free X display number";
    ChildProcess quillet({QUILLET_EXE}, {{{"DISPLAY", ":" + std::to_string(number - 1)}}, {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}});
    ASSERT_TRUE(socket->Connected());
    kill(quillet.Pid(), SIGINT);
    EXPECT_EQ(quillet.WaitForExit(milliseconds(1000)), 128 + SIGINT);
  }
  std::filesystem::remove_all(runtimeDirectory);
}

std::string FontConfig(const std::string& name) { return std::string(QUILLET_FONT_CONFIGS) + "/" + name + ".fonts.conf"; }

// A desktop with no fonts at all: the program cannot draw a single label, and says so instead
// of showing an empty window.
TEST_F(MainWindow, WithNoFontAtAllTheProgramSaysSoAndEndsWithCode1) {
  ChildProcess quillet({QUILLET_EXE}, {{{"DISPLAY", Server().DisplayName()}, {"FONTCONFIG_FILE", FontConfig("no-fonts")}}, {}});
  EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, "font"));
}

// Without the Japanese faces the program still opens its window, in a face the desktop has.
// (That every caption stays inside it is measured by the layout test, which ctest runs again
// with the same fonts.)
TEST_F(MainWindow, WithOnlyDejaVuOrOnlyTheUrwFontsTheWindowOpens) {
  for (const std::string fonts : {"only-dejavu", "only-urw"}) {
    SCOPED_TRACE(fonts);
    Quillet quillet(Server(), QUILLET_EXE, {}, {{{"FONTCONFIG_FILE", FontConfig(fonts)}}, {}});
    EXPECT_GE(quillet.ClientArea().width, 212);
    EXPECT_GE(quillet.ClientArea().height, 212);
    EXPECT_EQ(quillet.Process().ErrorText(), "");
  }
}

// Whatever stderr is, closed or a pipe whose reader has gone, the program ends at once with its
// own exit code: 2 for an unknown argument, 1 for a start that fails or a display that goes. (A
// closed stderr would be the X connection's descriptor, and a pipe nobody reads kills a writer
// with SIGPIPE.)
TEST(WhateverStderrIs, TheProgramEndsWithItsOwnExitCode) {
  const EnvironmentChanges noDisplay{{}, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}};
  for (const ErrorOutput stderrIs : {ErrorOutput::Closed, ErrorOutput::Unread}) {
    SCOPED_TRACE(stderrIs == ErrorOutput::Closed ? "stderr closed" : "stderr a pipe nobody reads");
    ChildProcess bogus({QUILLET_EXE, "--bogus"}, noDisplay, stderrIs);
    EXPECT_EQ(bogus.WaitForExit(milliseconds(5000)), 2) << "--bogus";
    ChildProcess withoutDisplay({QUILLET_EXE}, noDisplay, stderrIs);
    EXPECT_EQ(withoutDisplay.WaitForExit(milliseconds(5000)), 1) << "no display";
    auto server = std::make_unique<XServer>();
    ChildProcess withoutFonts({QUILLET_EXE}, {{{"DISPLAY", server->DisplayName()}, {"FONTCONFIG_FILE", FontConfig("no-fonts")}},
                                              {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}}, stderrIs);
    EXPECT_EQ(withoutFonts.WaitForExit(milliseconds(5000)), 1) << "no fonts";
    Launch launch{{QUILLET_EXE}, {}};
    launch.errorOutput = stderrIs;
    Quillet quillet(*server, launch);
    server.reset();
    EXPECT_EQ(quillet.Process().WaitForExit(milliseconds(5000)), 1) << "the display lost";
  }
}

// The X server going away (the session ended, or the server crashed) ends the program with a
// line of its own instead of Xlib's.
TEST(DisplayLost, TheProgramSaysSoOnOneLineAndEndsWithCode1) {
  auto server = std::make_unique<XServer>();
  Quillet quillet(*server, QUILLET_EXE);
  ASSERT_NE(quillet.Letter(), "");
  server.reset();
  EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet.Process(), "connection to the display was lost"));
}

}  // namespace
}  // namespace e2e
