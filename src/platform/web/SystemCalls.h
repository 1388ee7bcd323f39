// What the backend asks of the page that a desktop may refuse: a window's canvas, painting it, a
// font, a timer. The program is linked with SystemCalls.cpp, which asks straight away; test builds
// are linked with TestSeam.cpp instead, which can refuse each of them first, as a desktop would.
#pragma once
#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace platform::detail {

bool NewCanvas(WindowHandle window);                 // false when refused
void MayPaint();                                     // throws PlatformError when refused
void MayOpenFont(const std::string& file);           // throws PlatformError when refused
bool StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);  // false when refused

// What the calls above do once granted, for the seam to call after it has let one through.
bool CreateCanvas(WindowHandle window);
bool StartGrantedTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);  // false for no window

}  // namespace platform::detail
