// The message loop of a backend that keeps its own queue, windows and timers (SDL's, the page's;
// Windows has the system's): PeekMessage takes posted and input messages first, then a paint for
// a window with a marked area, then a due timer; WaitMessage hands the wait to the backend.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/Platform.h"

namespace platform::detail {

// What each backend gives the loop.
void TakeSystemInput();  // turns what the system has noticed since the last call into messages
// Returns when the system has new input or the deadline (microseconds on NowMicros) has come, or
// at once when the platform is not initialised. Input that makes no message may wake it.
void AwaitInput(std::optional<std::uint64_t> deadlineMicros);
std::uint64_t NowMicros();  // the one clock of GetTickCount and the timers
// A timer the system may refuse (false): the program's SystemCalls.cpp asks for it straight away,
// the test seam may refuse it first.
bool StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);

// What the loop gives the backends.
bool StartGrantedTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);  // false for no window
bool MessageWaiting();      // PeekMessage would take a message now, without asking the system
void ForgetSessionState();  // every window, message, timer and key: the end of a session

}  // namespace platform::detail
