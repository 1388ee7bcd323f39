// SDL's own message box cannot show Japanese text on an X server without Japanese core fonts, and
// the headless drivers have none at all: the component layer draws the error box itself. Every
// message comes through PeekMessage here, so there is nothing for a handler to receive.
#include "platform/Platform.h"

namespace platform {

bool ShowStopBox(WindowHandle, std::string_view, std::string_view) { return false; }

void SetMessageHandler(MessageHandler) {}

}  // namespace platform
