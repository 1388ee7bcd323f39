// A program the tests start: its pid, its exit status and what it wrote on stderr. Whatever
// happens in the test, the process is gone when this object is.
#pragma once
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

struct EnvironmentChanges {
  std::vector<std::pair<std::string, std::string>> set;
  std::vector<std::string> unset;
};

// The full path of a program on PATH, if it is installed.
std::optional<std::string> FindProgram(const std::string& name);
// A new, empty folder under $TMPDIR (or /tmp) whose name begins with `prefix`; throws
// std::runtime_error when none can be made.
std::string MakeTemporaryFolder(const std::string& prefix);

// What the program's stderr is: a pipe the test reads, /dev/null, closed, or a pipe whose reader
// has gone (a write to it fails, or kills the writer with SIGPIPE).
enum class ErrorOutput { Capture, Discard, Closed, Unread };

class ChildProcess {
 public:
  // `keepOpen` is a descriptor the program inherits (for a server that reports back through it).
  ChildProcess(const std::vector<std::string>& command, const EnvironmentChanges& environment,
               ErrorOutput errorOutput = ErrorOutput::Capture, int keepOpen = -1);
  ~ChildProcess();  // kills the process if it still runs, and reaps it
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  // The exit code once the process has ended (128 + signal when a signal ended it), or nothing
  // if it is still running when `timeout` runs out.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  bool Running();
  // Asks the process to stop (SIGTERM), and kills it if it has not within a second.
  void Stop();
  // Everything written on stderr so far.
  const std::string& ErrorText();

 private:
  void DrainErrorPipe();
  bool Reap(int options);

  pid_t pid_ = -1;
  std::optional<int> exitCode_;
  int errorPipe_ = -1;
  std::string errorText_;
};

}  // namespace e2e
