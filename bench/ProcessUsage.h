// What the kernel counts for a running process, read from /proc: the CPU time and the context
// switches of all its threads (every wake-up is a voluntary switch), and its memory.
#pragma once
#include <sys/types.h>

#include <cstdint>
#include <optional>

namespace bench {

struct ProcessUsage {
  std::uint64_t cpuNanoseconds = 0;
  std::uint64_t contextSwitches = 0;
};

ProcessUsage UsageOf(pid_t pid);      // throws when the process is gone
double PeakResidentMegabytes(pid_t pid);  // VmHWM, in MB of 10^6 bytes
// The memory that is the process's share now: its private pages and its part of those it shares
// with others (libraries), in MB of 10^6 bytes.
double ProportionalMegabytes(pid_t pid);

}  // namespace bench
