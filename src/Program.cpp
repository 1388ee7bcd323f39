#include "Program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "Form1.h"
#include "platform/Platform.h"
#include "window/TApplication.h"

namespace {

constexpr const char* kHelp =
    "Usage: quillet [OPTION]\n"
    "A typing game: type the big letter on display before its time runs out. Each hit scores\n"
    "and speeds the game up; a wrong key or an expired countdown ends it. Close the window to quit.\n"
    "\n"
    "  -h, --help     print this help and exit\n"
    "      --version  print the version and exit\n";

// What printing needs besides the text: a full disk or a closed pipe is a failure, not a
// silent success.
int Print(const char* text) {
  if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "quillet: cannot write to standard output: %s\n", std::strerror(errno));
    return 1;
  }
  return 0;
}

// An argument as it can be shown on a terminal: printable ASCII as it is, anything else (a line
// end, an escape sequence, a byte of another encoding) as a C escape, so that what is named is
// what was typed and nothing typed can act on the terminal.
std::string Escaped(std::string_view text) {
  std::string shown;
  for (const unsigned char c : text) {
    switch (c) {
      case '\\': shown += "\\\\"; break;
      case '\'': shown += "\\'"; break;
      case '\n': shown += "\\n"; break;
      case '\t': shown += "\\t"; break;
      default:
        if (c >= 0x20 && c < 0x7F) {
          shown += static_cast<char>(c);
        } else {
          static constexpr char kHex[] = "0123456789abcdef";
          shown += {'\\', 'x', kHex[c >> 4], kHex[c & 0xF]};
        }
    }
  }
  return shown;
}

int Play() {
  try {
    platform::Initialise();
  } catch (const std::exception& failure) {
    platform::ReportFatalError("quillet", failure.what());
    return 1;
  }
  int exitCode = 0;
  try {
    TApplication application;
    application.Title = "QUILLET";
    application.CreateForm<TForm1>();
    application.Run();
  } catch (const std::exception& failure) {
    // Only what the error box itself cannot show ends up here, such as no usable font at all.
    platform::ReportFatalError("quillet", failure.what());
    exitCode = 1;
  }
  platform::Shutdown();
  return exitCode;
}

}  // namespace

int RunQuillet(int argc, const char* const* argv) {
  platform::PrepareProcess();
  // The first unknown argument is named, so that a mistyped option never starts a game.
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument != "-h" && argument != "--help" && argument != "--version") {
      std::fprintf(stderr, "quillet: unknown argument '%s' (see quillet --help)\n", Escaped(argument).c_str());
      return 2;
    }
  }
  if (argc > 1) {
    return std::string_view(argv[1]) == "--version" ? Print("quillet " QUILLET_VERSION "\n") : Print(kHelp);
  }
  return Play();
}
