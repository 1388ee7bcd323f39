// Whether the platform is up, what the page's pixels are, and the pieces of the backend that the
// others reach for: the code page, the timers.
#pragma once
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace platform::detail {

class Session {
 public:
  static bool IsOpen();
  static void RequireOpen();   // throws PlatformError before Initialise
  static double PixelRatio();  // device pixels per CSS pixel, read once per session
  static unsigned Ended();     // how many sessions have been shut down
};

// Code page 932 bytes, up to the first zero, decoded by the browser's own decoder.
std::u32string DecodeAnsi(std::string_view cp932);

void ForgetTimersOf(WindowHandle window);
void ForgetAllTimers();
// Where the system's own loop (the stop box's) hands the messages it takes meanwhile.
MessageHandler CurrentMessageHandler();
// Milliseconds since the page started, to the microsecond: the one clock of GetTickCount and the timers.
double NowMillis();

}  // namespace platform::detail
