// A page has no terminal: the reason why the program cannot go on is the page's one line (and
// the console's).
#include <emscripten/emscripten.h>

#include <string>

#include "platform/Platform.h"

EM_JS(void, quillet_say, (const char* utf8), {
  const line = UTF8ToString(utf8);
  QuilletPage.say(line);
  console.error(line);
});

namespace platform {

void ReportFatalError(std::string_view program, std::string_view message) {
  const std::string line = std::string(program) + ": " + std::string(message);
  quillet_say(line.c_str());
}

}  // namespace platform
