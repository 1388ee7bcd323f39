// What tests may do to the platform beyond what the program does: drive the virtual clock,
// make the next timer start refuse, pretend another display resolution, and press the mouse.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/Platform.h"

namespace platform::testing {

std::uint64_t Now();                                  // the clock, in ms, not wrapped
std::optional<std::uint64_t> NextTimerDeadline();     // earliest deadline of a running timer
void SetClock(std::uint64_t ms);                      // headless only; moves time, delivers nothing itself
void RefuseNextTimer();                               // the next SetTimer returns false
void SetLogicalResolution(int pixelsPerInch);         // 0 goes back to the display's own
Canvas WindowCanvas(WindowHandle window);             // the window's frame buffer, to read pixels
void PressLeftButton(WindowHandle window, bool down); // queued as the desktop would report it

}  // namespace platform::testing
