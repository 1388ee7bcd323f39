// Plays the real program on a private X server, fast and without a slip, and saves its window
// in the four colours of the game for the README: idle, the extra game, a miss, the big bonus.
//
//   build/default/tests/readme_screenshots docs    (then: for f in docs/*.ppm; do convert ...)
//   build/default/tests/readme_screenshots FOLDER build/windows/src/quillet.exe
//       the Windows build under Wine instead, in the prefix WINEPREFIX names
//
// It reads the screen exactly as the end-to-end tests do, so it needs no help from the program.
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "e2e/Deadline.h"
#include "e2e/Quillet.h"

namespace {

using namespace e2e;

constexpr platform::ColorRef kLime = 0x0000FF00, kAqua = 0x00FFFF00;

void SavePpm(const Image& image, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << image.width << " " << image.height << "\n255\n";
  for (const platform::ColorRef pixel : image.pixels) {
    const char rgb[3] = {static_cast<char>(pixel & 0xFF), static_cast<char>(pixel >> 8 & 0xFF),
                         static_cast<char>(pixel >> 16 & 0xFF)};
    out.write(rgb, 3);
  }
  if (!out) throw std::runtime_error("cannot write " + path);
  std::printf("wrote %s\n", path.c_str());
}

void Require(bool condition, const std::string& what) {
  if (!condition) throw std::runtime_error(what);
}

// One hit: read the letter, type it, and wait for LEVEL to count it.
void Hit(const Quillet& quillet, int hitsBefore, platform::ColorRef color) {
  const std::string letter = quillet.Read("Label1", Letters(), color);
  Require(!letter.empty(), "no letter on display before hit " + std::to_string(hitsBefore + 1));
  quillet.Type(LowerCase(letter));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT-FOLDER [WINDOWS-EXE]\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  try {
    XServer server;
    // Wine draws text with another rasteriser and has button faces of its own (as the Wine
    // tests say); the button face is read from the idle window there.
    const Launch launch = argc == 3 ? Launch{{"wine", argv[2]}, {{{"WINEDEBUG", "-all"}}, {}}, std::chrono::seconds(30), 224}
                                    : Launch{{QUILLET_EXE}, {}};
    Quillet quillet(server, launch);
    platform::ColorRef face = ButtonFace();
    Require(WaitUntil(
                [&] {
                  if (argc == 3) face = quillet.WindowColor();
                  return !quillet.Letter(face).empty();  // painted, not just mapped
                },
                std::chrono::seconds(10)),
            "the window shows no letter");
    SavePpm(quillet.SettledScreen(), folder + "/idle.ppm");

    for (int n = 0; n <= 333; ++n) {
      const platform::ColorRef color = n > 100 ? kLime : face;
      Hit(quillet, n, color);
      if (n == 100) {
        Require(static_cast<bool>(quillet.TurnsColor(kLime)), "the hundred-and-first hit did not open the extra game");
        SavePpm(quillet.SettledScreen(), folder + "/extra.ppm");
      } else if (n < 333) {
        Require(!quillet.Read("Label4", {std::to_string(n)}, color).empty(), "hit " + std::to_string(n + 1) + " was lost");
      }
    }
    Require(static_cast<bool>(quillet.TurnsColor(kAqua)), "the last hit did not end the game with the bonus");
    SavePpm(quillet.SettledScreen(), folder + "/cleared.ppm");

    Require(static_cast<bool>(quillet.TurnsColor(face)), "the game did not reset");
    const std::string letter = quillet.Letter(face);
    quillet.Type(letter == "Q" ? "z" : "q");
    Require(static_cast<bool>(quillet.TurnsColor(kRed)), "the miss did not end the game");
    SavePpm(quillet.SettledScreen(), folder + "/over.ppm");
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "readme_screenshots: %s\n", failure.what());
    return 1;
  }
  return 0;
}
