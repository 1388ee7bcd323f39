#include "bench/ProcessUsage.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace bench {
namespace {

// The number after "name:" in a /proc status file, or nothing.
std::optional<std::uint64_t> StatusField(const std::filesystem::path& file, const std::string& name) {
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(name + ":", 0) == 0) return std::stoull(line.substr(name.size() + 1));
  }
  return std::nullopt;
}

}  // namespace

ProcessUsage UsageOf(pid_t pid) {
  const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
  std::error_code error;
  std::filesystem::directory_iterator threads(tasks, error);
  if (error) throw std::runtime_error("process " + std::to_string(pid) + " is gone");
  ProcessUsage usage;
  for (const auto& thread : threads) {
    // schedstat's first field is the time on a CPU in nanoseconds, far finer than stat's ticks.
    std::ifstream schedstat(thread.path() / "schedstat");
    std::uint64_t onCpu = 0;
    if (schedstat >> onCpu) usage.cpuNanoseconds += onCpu;
    usage.contextSwitches += StatusField(thread.path() / "status", "voluntary_ctxt_switches").value_or(0) +
                             StatusField(thread.path() / "status", "nonvoluntary_ctxt_switches").value_or(0);
  }
  return usage;
}

double PeakResidentMegabytes(pid_t pid) {
  const auto kilobytes = StatusField("/proc/" + std::to_string(pid) + "/status", "VmHWM");
  if (!kilobytes) throw std::runtime_error("no peak memory for process " + std::to_string(pid));
  return static_cast<double>(*kilobytes) * 1024.0 / 1e6;
}

double ProportionalMegabytes(pid_t pid) {
  const auto kilobytes = StatusField("/proc/" + std::to_string(pid) + "/smaps_rollup", "Pss");
  if (!kilobytes) throw std::runtime_error("no proportional memory for process " + std::to_string(pid));
  return static_cast<double>(*kilobytes) * 1024.0 / 1e6;
}

}  // namespace bench
