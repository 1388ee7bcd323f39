// The key and character messages a backend makes of its system's input, with the bits Windows
// puts in their lParam, queued with the key state as it arrived.
#pragma once
#include "platform/Platform.h"

namespace platform::detail {

// Records the press or release in the arrived key state and makes its message for `window`: a
// system key (SysKeyDown, SysKeyUp) when Alt without Ctrl is down or is the key itself.
Message KeyMessage(WindowHandle window, int virtualKey, bool press, bool repeat);
// A character typed, one byte of code page 932; a system character when typed with Alt (not AltGr).
Message CharacterMessage(WindowHandle window, unsigned char code, bool system);
void PostInput(const Message& message);

}  // namespace platform::detail
