// `make bench`: measures the Release build of QUILLET from outside, as a player gets it, on an X
// server of its own, next to a bare X client as the floor and any program given with --compare.
//
//   quillet_bench [--runs N] [--json FILE] [--compare COMMAND]...
//
// Prints a table of medians, p99 and maxima and whether each goal is met, writes the same as
// JSON, and exits with 2 when a goal is missed. Runs are interleaved: each program once per round.
#include <sys/utsname.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "bench/Figures.h"
#include "bench/Launch.h"
#include "bench/QuilletPlay.h"
#include "bench/ScreenWatch.h"
#include "e2e/XServer.h"
#include "e2e/XWindows.h"

namespace {

constexpr char kBareClient[] = "xmessage";
constexpr char kBareSdl[] = "bare SDL";
constexpr char kTicker[] = "xlib ticker";

struct Options {
  int runs = 5;
  std::string json = "bench-results.json";
  std::vector<std::string> compare;
};

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--runs") {
      options.runs = std::stoi(value());
      if (options.runs < 1) throw std::invalid_argument("--runs needs at least 1");
    } else if (arg == "--json") {
      options.json = value();
    } else if (arg == "--compare") {
      options.compare.push_back(value());
    } else {
      throw std::invalid_argument("unknown argument " + arg +
                                  "; use --runs N, --json FILE, --compare COMMAND");
    }
  }
  return options;
}

std::string FirstLineWith(const std::string& file, const std::string& prefix) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(prefix, 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// CPU time the host of a virtual machine gave to others while our CPUs had work: frames that
// come late by milliseconds for every program, the floors included, are mostly this.
long long StolenMilliseconds() {
  std::ifstream in("/proc/stat");
  std::string cpu;
  long long user, nice, system, idle, iowait, irq, softirq, steal = 0;
  in >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq >> steal;
  return steal * 1000 / sysconf(_SC_CLK_TCK);
}

std::string Machine() {
  utsname system{};
  uname(&system);
  return FirstLineWith("/proc/cpuinfo", "model name") + ", " + std::to_string(std::thread::hardware_concurrency()) +
         " cores, " + system.sysname + " " + system.release;
}

std::vector<bench::Goal> Goals(const bench::Figures& figures) {
  std::vector<bench::Goal> goals = {
      {"key -> screen, miss (ms)", "median", 1.0, ""},
      {"key -> screen, miss (ms)", "p99", 2.0, ""},
      {"idle 10 s: CPU (ms)", "max", 0, ""},
      {"idle 10 s: context switches", "max", 0, ""},
      {"ticks at 655 ms: period error (ms)", "max", 2, ""},
      {"ticks at 655 ms: drift over 20 (ms)", "max", 2, ""},
      {"ticks at 55 ms: period error (ms)", "max", 2, ""},
      {"ticks at 55 ms: drift over 200 (ms)", "max", 2, ""},
  };
  const double startFloor = figures.Of(kBareClient, "start -> first frame (ms)").median;
  goals.push_back({"start -> first frame (ms)", "median", 1.3 * startFloor, "1.3 x the bare X client's median"});
  const double memoryFloor = figures.Of(kBareSdl, "peak RSS (MB)").median;
  goals.push_back({"peak RSS (MB)", "max", 1.5 * memoryFloor, "1.5 x the bare SDL program's median"});
  return goals;
}

// The floors for start-up and memory: a bare X client, and a bare SDL program linked as the game.
void RunFloor(const e2e::XServer& server, bench::ScreenWatch& screen, const std::vector<std::string>& command,
              const std::string& name, bench::Figures& figures) {
  const auto process = bench::Launch(server, screen, command, figures, name);
  bench::AddPeakMemory(*process, figures, name);
  process->Stop();
}

// The floor for the fastest ticks on this machine: the same frames timed the same way, from a
// client that does nothing but tick.
void RunTicker(const e2e::XServer& server, bench::ScreenWatch& screen, bench::Figures& figures) {
  e2e::ChildProcess process({QUILLET_BENCH_TICKER, std::to_string(bench::kFastPeriod)},
                            e2e::EnvironmentChanges{{{"DISPLAY", server.DisplayName()}}, {}}, e2e::ErrorOutput::Capture);
  std::vector<bench::Time> ticks;
  bench::NextTick(screen, bench::kFastPeriod);  // its first frame maps the window
  screen.Forget();
  for (int tick = 0; tick < bench::kFastTicks; ++tick) ticks.push_back(bench::NextTick(screen, bench::kFastPeriod));
  bench::AddTickFigures(figures, kTicker, ticks, bench::kFastPeriod);
  process.Stop();
}

void RunComparison(const e2e::XServer& server, bench::ScreenWatch& screen, const std::string& command,
                   bench::Figures& figures) {
  // exec keeps the shell's process, so that /proc shows the program itself.
  const auto process = bench::Launch(server, screen, {"/bin/sh", "-c", "exec " + command}, figures, command);
  bench::AddIdleCost(*process, screen, figures, command);
  bench::AddPeakMemory(*process, figures, command);
  process->Stop();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const Options options = Parse(argc, argv);
    const std::string loadBefore = LoadAverage();
    const long long stolenBefore = StolenMilliseconds();
    e2e::XServer server;
    bench::ScreenWatch screen(server.DisplayName());
    bench::Figures figures;
    for (int run = 1; run <= options.runs; ++run) {
      std::cerr << "run " << run << " of " << options.runs << "...\n";
      RunFloor(server, screen, {kBareClient, "QUILLET benchmark"}, kBareClient, figures);
      RunFloor(server, screen, {QUILLET_BENCH_BARE_SDL}, kBareSdl, figures);
      RunTicker(server, screen, figures);
      bench::RunQuillet(server, screen, QUILLET_EXE, figures);
      for (const std::string& command : options.compare) RunComparison(server, screen, command, figures);
    }
    const std::string machine = Machine() + "; load average " + loadBefore + " before, " + LoadAverage() +
                                " after; " + std::to_string(StolenMilliseconds() - stolenBefore) +
                                " ms stolen by the host";
    const auto verdicts = figures.Check(bench::kQuillet, Goals(figures));

    std::cout << "QUILLET benchmark, " << options.runs << " runs on " << machine << "\n\n";
    figures.PrintTable(std::cout);
    std::cout << "\nGoals for quillet:\n";
    bool allMet = true;
    for (const auto& [goal, met] : verdicts) {
      std::cout << "  " << (met ? "met   " : "MISSED") << "  " << goal.figure << ", " << goal.statistic
                << " <= " << goal.limit << (goal.why.empty() ? "" : " (" + goal.why + ")") << "\n";
      allMet = allMet && met;
    }
    std::ofstream(options.json) << figures.Json(verdicts, machine) << "\n";
    std::cout << "\nWritten to " << options.json << "\n";
    return allMet ? 0 : 2;
  } catch (const std::exception& failure) {
    std::cerr << "quillet_bench: " << failure.what() << "\n";
    return 1;
  }
}
