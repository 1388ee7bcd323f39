// The program as shipped, except that its platform refuses the calls named on the command line,
// each as KIND[:SKIP[:COUNT]] with KIND one of timer, font, window, surface: after SKIP calls of
// that kind succeed, the next COUNT fail (-1: all of them).
#include <cstdio>
#include <map>
#include <string>

#include "Program.h"
#include "platform/Testing.h"

int main(int argc, char** argv) {
  using platform::testing::Failure;
  const std::map<std::string, Failure> kinds = {{"timer", Failure::Timer},
                                                {"font", Failure::FontOpen},
                                                {"window", Failure::WindowCreation},
                                                {"surface", Failure::WindowSurface}};
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto colon = arg.find(':');
    const auto found = kinds.find(arg.substr(0, colon));
    if (found == kinds.end()) {
      std::fprintf(stderr, "quillet_failing: unknown failure %s\n", argv[i]);
      return 2;
    }
    int skip = 0, count = 1;
    if (colon != std::string::npos) std::sscanf(arg.c_str() + colon + 1, "%d:%d", &skip, &count);
    platform::testing::InjectFailure(found->second, skip, count);  // for the session the program opens
  }
  // The failures are this build's arguments, not the program's: it sees an empty command line.
  return RunQuillet(1, argv);
}
