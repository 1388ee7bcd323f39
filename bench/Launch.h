// Starting a program on the benchmark's X server and timing it as a user sees it: from the
// moment it is started to its first frame on screen and to the last frame of its settled window;
// then how much it costs while left alone.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "bench/Figures.h"
#include "bench/ScreenWatch.h"
#include "e2e/ChildProcess.h"
#include "e2e/XServer.h"

namespace bench {

// A window that draws nothing for this long is taken to have settled.
inline constexpr milliseconds kSettled{500};
inline constexpr milliseconds kIdleSpan{10'000};
// The fastest ticks, and how many of them are timed.
inline constexpr int kFastPeriod = 55, kFastTicks = 200;

// Starts `command` and adds the time from its start to its first frame and to the last frame of
// its settled window (ms) to `figures`.
std::unique_ptr<e2e::ChildProcess> Launch(const e2e::XServer& server, ScreenWatch& screen,
                                          const std::vector<std::string>& command, Figures& figures,
                                          const std::string& program);

double Milliseconds(Clock::duration span);

// Adds the peak resident memory so far and the proportional memory now (MB).
void AddPeakMemory(e2e::ChildProcess& process, Figures& figures, const std::string& program);

// Leaves the program alone for kIdleSpan and adds the CPU time (ms), the context switches and the
// frames it drew meanwhile.
void AddIdleCost(e2e::ChildProcess& process, ScreenWatch& screen, Figures& figures, const std::string& program);

// The start of the next frame, taken as a tick. A late tick is a figure to report, not a
// failure: only one that never comes (within three periods, or a second) throws.
Time NextTick(ScreenWatch& screen, int periodMs);

// Each tick's offset from the grid of the first: the period error between neighbours, the drift
// of the fitted period over the whole run and the ticks not seen. A tick that landed on the frame
// of a key (or that the game merged after a busy moment) leaves a gap of whole periods, which is
// counted, not taken for drift.
void AddTickFigures(Figures& figures, const std::string& program, const std::vector<Time>& ticks, int periodMs);

}  // namespace bench
