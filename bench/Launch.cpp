#include "bench/Launch.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "bench/ProcessUsage.h"

namespace bench {

double Milliseconds(Clock::duration span) { return std::chrono::duration<double, std::milli>(span).count(); }

std::unique_ptr<e2e::ChildProcess> Launch(const e2e::XServer& server, ScreenWatch& screen,
                                          const std::vector<std::string>& command, Figures& figures,
                                          const std::string& program) {
  // Whatever an earlier program left on screen has been drawn before the clock starts.
  screen.Settle(kFrameGap * 2, kSettled);
  const Time started = Clock::now();
  auto process = std::make_unique<e2e::ChildProcess>(
      command, e2e::EnvironmentChanges{{{"DISPLAY", server.DisplayName()}}, {"WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}},
      e2e::ErrorOutput::Capture);
  const auto first = screen.NextFrame(milliseconds(10'000));
  if (!first) {
    throw std::runtime_error(program + " drew nothing within 10 s; it wrote: " + process->ErrorText());
  }
  const Time last = screen.Settle(kSettled, milliseconds(10'000)).value_or(first->last);
  figures.Add(program, "start -> first frame (ms)", Milliseconds(first->first - started));
  figures.Add(program, "start -> settled frame (ms)", Milliseconds(last - started));
  return process;
}

void AddPeakMemory(e2e::ChildProcess& process, Figures& figures, const std::string& program) {
  figures.Add(program, "peak RSS (MB)", PeakResidentMegabytes(process.Pid()));
  figures.Add(program, "PSS (MB)", ProportionalMegabytes(process.Pid()));
}

void AddIdleCost(e2e::ChildProcess& process, ScreenWatch& screen, Figures& figures, const std::string& program) {
  const ProcessUsage before = UsageOf(process.Pid());
  const Time end = Clock::now() + kIdleSpan;
  int frames = 0;
  while (screen.NextFrame(std::chrono::duration_cast<milliseconds>(end - Clock::now()))) ++frames;
  const ProcessUsage after = UsageOf(process.Pid());
  figures.Add(program, "idle 10 s: CPU (ms)", static_cast<double>(after.cpuNanoseconds - before.cpuNanoseconds) / 1e6);
  figures.Add(program, "idle 10 s: context switches", static_cast<double>(after.contextSwitches - before.contextSwitches));
  figures.Add(program, "idle 10 s: frames drawn", frames);
}

Time NextTick(ScreenWatch& screen, int periodMs) {
  const milliseconds limit = std::max(milliseconds(periodMs * 3), milliseconds(1000));
  const auto frame = screen.NextFrame(limit);
  if (!frame) throw std::runtime_error("no tick within " + std::to_string(limit.count()) + " ms");
  return frame->first;
}

void AddTickFigures(Figures& figures, const std::string& program, const std::vector<Time>& ticks, int periodMs) {
  const std::string prefix = "ticks at " + std::to_string(periodMs) + " ms: ";
  // Least squares through (grid point, time), so that one late frame, the first included, is a
  // period error and not the drift of the whole run.
  double previousOffset = 0, periods = 0, sumK = 0, sumT = 0, sumKK = 0, sumKT = 0;
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    const double since = Milliseconds(ticks[i] - ticks.front());
    periods = std::round(since / periodMs);
    const double offset = since - periods * periodMs;
    figures.Add(program, prefix + "period error (ms)", std::abs(offset - previousOffset));
    previousOffset = offset;
    sumK += periods;
    sumT += since;
    sumKK += periods * periods;
    sumKT += periods * since;
  }
  const double n = static_cast<double>(ticks.size());  // the first tick is (0, 0)
  const double spread = n * sumKK - sumK * sumK;
  const double fittedPeriod = spread > 0 ? (n * sumKT - sumK * sumT) / spread : periodMs;
  figures.Add(program, prefix + "drift over " + std::to_string(ticks.size()) + " (ms)",
              std::abs(fittedPeriod - periodMs) * periods);
  figures.Add(program, prefix + "ticks not seen", periods + 1 - static_cast<double>(ticks.size()));
}

}  // namespace bench
