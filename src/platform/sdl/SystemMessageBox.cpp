// SDL's own message box cannot show Japanese text on an X server without Japanese core fonts, and
// the headless drivers have none at all: the component layer draws the error box itself. Every
// message comes through PeekMessage here, so there is nothing for a handler to receive.
#include <cstdio>
#include <string>

#include "platform/Platform.h"

namespace platform {

void ReportFatalError(std::string_view program, std::string_view message) {
  std::fprintf(stderr, "%s: %s\n", std::string(program).c_str(), std::string(message).c_str());
}

bool ShowStopBox(WindowHandle, std::string_view, std::string_view) { return false; }

void SetMessageHandler(MessageHandler) {}

}  // namespace platform
