// Why the program cannot start or go on: one line on stderr, where a desktop program started
// from a terminal or a launcher's log shows it.
#include <cstdio>
#include <string>

#include "platform/Platform.h"

namespace platform {

void ReportFatalError(std::string_view program, std::string_view message) {
  std::fprintf(stderr, "%s: %s\n", std::string(program).c_str(), std::string(message).c_str());
}

}  // namespace platform
