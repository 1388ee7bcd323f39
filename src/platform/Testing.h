// What tests may do to the platform beyond what the program does: drive the virtual clock,
// make platform calls fail, pretend another display resolution, press the mouse, and count what
// the platform keeps.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Platform.h"

namespace platform::testing {

std::uint64_t Now();                                  // the clock, in ms, not wrapped
std::optional<std::uint64_t> NextTimerDeadline();     // earliest deadline of a running timer
void SetClock(std::uint64_t ms);                      // headless only; moves time, delivers nothing itself
void SetLogicalResolution(int pixelsPerInch);         // 0 goes back to the display's own
Canvas WindowCanvas(WindowHandle window);             // the window's frame buffer, to read pixels
void PressLeftButton(WindowHandle window, bool down); // queued as the desktop would report it

// Every platform call that the desktop may refuse. A refused timer is SetTimer returning false;
// the others throw PlatformError with SDL's error set to say the test refused them.
enum class Failure { Timer, FontOpen, WindowCreation, WindowSurface };
inline constexpr int kEveryCall = -1;
// After `skip` more calls of that kind succeed, the next `count` fail. Shutdown forgets it.
void InjectFailure(Failure call, int skip = 0, int count = 1);

// What the platform holds on the program's behalf; a long run must not let any of it grow.
struct Bookkeeping {
  std::size_t timers = 0, windows = 0, queuedMessages = 0, openFonts = 0;
  bool operator==(const Bookkeeping&) const = default;
};
Bookkeeping Counts();

}  // namespace platform::testing
