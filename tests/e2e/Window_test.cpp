// The program as the desktop sees it: where its window is, what it is called, that it cannot be
// resized, and what happens with no desktop at all.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "e2e/Quillet.h"

namespace e2e {
namespace {

class MainWindow : public OnXServer {};

// The desktop's icon file as a taskbar would read it from the window.
WindowIcon ReadPng(const char* path) {
  SDL_Surface* file = IMG_Load(path);
  if (!file) throw std::runtime_error(std::string("cannot read ") + path + ": " + IMG_GetError());
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(file, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(file);
  if (!argb) throw std::runtime_error(std::string("cannot convert ") + path + ": " + SDL_GetError());
  WindowIcon icon{argb->w, argb->h, {}};
  for (int y = 0; y < argb->h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(argb->pixels) + y * argb->pitch);
    icon.argb.insert(icon.argb.end(), row, row + argb->w);
  }
  SDL_FreeSurface(argb);
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

// A login with no desktop, such as a text console or ssh without forwarding: the session still
// has its runtime directory, but no display of either kind.
TEST(WithoutADisplay, TheProgramSaysItNeedsAGraphicalSessionAndEndsWithCode1) {
  char runtimeDirectory[] = "/tmp/quillet-e2e-XXXXXX";
  ASSERT_NE(mkdtemp(runtimeDirectory), nullptr);
  ChildProcess quillet({QUILLET_EXE}, {{{"XDG_RUNTIME_DIR", runtimeDirectory}},
                                       {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}});
  EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, "graphical session"));
  rmdir(runtimeDirectory);
}

// A desktop with no fonts at all (fontconfig given a configuration that names none): the program
// cannot draw a single label, and says so instead of showing an empty window.
TEST_F(MainWindow, WithNoFontAtAllTheProgramSaysSoAndEndsWithCode1) {
  char folder[] = "/tmp/quillet-e2e-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string config = std::string(folder) + "/fonts.conf";
  std::FILE* file = std::fopen(config.c_str(), "w");
  ASSERT_NE(file, nullptr);
  std::fprintf(file, "<?xml version=\"1.0\"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n", folder);
  std::fclose(file);

  ChildProcess quillet({QUILLET_EXE}, {{{"DISPLAY", Server().DisplayName()}, {"FONTCONFIG_FILE", config}}, {}});
  EXPECT_TRUE(EndsWithCode1SayingOneLineAbout(quillet, "font"));
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace e2e
