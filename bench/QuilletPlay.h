// One benchmark run of the game: started, left idle, made to miss, then played as a quick and
// faultless typist would, up to the fastest level, while its frames and ticks are timed.
#pragma once
#include <string>

#include "bench/Figures.h"
#include "bench/ScreenWatch.h"
#include "e2e/XServer.h"

namespace bench {

inline constexpr char kQuillet[] = "quillet";

void RunQuillet(const e2e::XServer& server, ScreenWatch& screen, const std::string& executable, Figures& figures);

}  // namespace bench
