// What the backend asks of the page that a desktop may refuse: a window's canvas, painting it, a
// font, a timer (StartTimer, in MessageLoop.h); and the end of a session, after which the seam
// forgets what it was asked to refuse. The program is linked with SystemCalls.cpp, which asks
// straight away; test builds are linked with TestSeam.cpp instead, which can refuse each call
// first, as a desktop would.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace platform::detail {

bool NewCanvas(WindowHandle window);                 // false when refused
void MayPaint();                                     // throws PlatformError when refused
void MayOpenFont(const std::string& file);           // throws PlatformError when refused
void SessionEnded();                                 // after Shutdown

}  // namespace platform::detail
