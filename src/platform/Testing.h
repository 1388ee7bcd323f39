// What tests may do to the platform beyond what the program does: run it headless on a virtual
// clock and drive that clock, make platform calls fail, pretend another display resolution, post
// messages and press the mouse, act while the program waits, read pixels and the font a request
// was mapped to, and count what the platform keeps. Each backend implements it in its
// TestSeam.cpp, which only test builds link; not every backend has every part (only the SDL one
// runs headless).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace platform::testing {

// The platform with no display, on a clock that stands at 0 ms until a test moves it: the
// program's own code, drawing into real window surfaces that nobody sees. Until Shutdown.
void InitialiseHeadless();
std::uint64_t Now();                                  // the clock, in ms, not wrapped
std::optional<std::uint64_t> NextTimerDeadline();     // earliest deadline of a running timer
void SetClock(std::uint64_t ms);                      // headless only; moves time, delivers nothing itself
void SetLogicalResolution(int pixelsPerInch);         // 0 goes back to the display's own
Canvas WindowCanvas(WindowHandle window);             // the window's frame buffer, to read pixels
ColorRef PixelAt(const Canvas& canvas, int x, int y); // in the canvas's coordinates; 0xFFFFFFFF outside it
std::string FontFileOf(const Font& font);             // what the mapping chose, for diagnostics
// Queued as if the desktop had sent it: input for a disabled window is dropped when taken.
void PostMessage(const Message& message);
void PressLeftButton(WindowHandle window, bool down); // queued as the desktop would report it
// Called whenever the headless program would wait for a message, such as inside a modal loop;
// nullptr for nothing.
void WhenIdle(std::function<void()> handler);

// Every platform call that the desktop may refuse. A refused timer is SetTimer returning false;
// the others throw PlatformError whose reason says the test refused them.
enum class Failure { Timer, FontOpen, WindowCreation, WindowSurface };
inline constexpr int kEveryCall = -1;
// After `skip` more calls of that kind succeed, the next `count` fail. The end of a session
// (Shutdown) forgets it; one set before the first session lasts through that session.
void InjectFailure(Failure call, int skip = 0, int count = 1);

// What the platform holds on the program's behalf; a long run must not let any of it grow.
struct Bookkeeping {
  std::size_t timers = 0, windows = 0, queuedMessages = 0, openFonts = 0;
  bool operator==(const Bookkeeping&) const = default;
};
Bookkeeping Counts();

}  // namespace platform::testing
