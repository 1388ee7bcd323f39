#include "e2e/ChildProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace e2e {
namespace {

std::vector<std::string> ChangedEnvironment(const EnvironmentChanges& changes) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry; ++entry) {
    const std::string variable = *entry;
    const std::string name = variable.substr(0, variable.find('='));
    const auto mentioned = [&](const std::string& other) { return other == name; };
    const bool replaced = std::any_of(changes.set.begin(), changes.set.end(),
                                      [&](const auto& pair) { return mentioned(pair.first); });
    if (!replaced && std::none_of(changes.unset.begin(), changes.unset.end(), mentioned)) result.push_back(variable);
  }
  for (const auto& [name, value] : changes.set) result.push_back(name + "=" + value);
  return result;
}

// execve does not search PATH, and execvpe may allocate, which is unsafe after fork.
std::string Resolved(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  if (auto found = FindProgram(program)) return *found;
  throw std::runtime_error(program + " is not installed (not found on PATH)");
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::optional<std::string> FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string directories = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= directories.size()) {
    const std::size_t end = std::min(directories.find(':', start), directories.size());
    const std::string candidate = directories.substr(start, end - start) + "/" + name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

std::string MakeTemporaryFolder(const std::string& prefix) {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = std::string(tmpdir && *tmpdir ? tmpdir : "/tmp") + "/" + prefix + "-XXXXXX";
  if (!mkdtemp(folder.data())) {
    throw std::runtime_error("cannot make a folder " + folder + ": " + std::strerror(errno));
  }
  return folder;
}

ChildProcess::ChildProcess(const std::vector<std::string>& command, const EnvironmentChanges& environment,
                           ErrorOutput errorOutput, int keepOpen) {
  // Everything the child needs is prepared before fork: after it, only async-signal-safe calls.
  std::vector<std::string> arguments = command, variables = ChangedEnvironment(environment);
  if (!arguments.empty()) arguments[0] = Resolved(arguments[0]);
  std::vector<char*> argv = Pointers(arguments), envp = Pointers(variables);
  int pipeEnds[2] = {-1, -1};
  const bool piped = errorOutput == ErrorOutput::Capture || errorOutput == ErrorOutput::Unread;
  if (piped && pipe2(pipeEnds, O_CLOEXEC) != 0) {
    throw std::runtime_error("cannot make a pipe for stderr: " + std::string(std::strerror(errno)));
  }
  if (errorOutput == ErrorOutput::Unread) {
    close(pipeEnds[0]);  // before the child exists, so that nobody ever reads it
    pipeEnds[0] = -1;
  }
  const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);

  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("cannot fork: " + std::string(std::strerror(errno)));
  if (pid_ == 0) {
    signal(SIGPIPE, SIG_DFL);  // as a shell starts it, whatever the test process does with it
    dup2(devNull, STDIN_FILENO);
    dup2(devNull, STDOUT_FILENO);
    if (errorOutput == ErrorOutput::Closed) {
      close(STDERR_FILENO);
    } else {
      dup2(piped ? pipeEnds[1] : devNull, STDERR_FILENO);
    }
    if (keepOpen >= 0) fcntl(keepOpen, F_SETFD, 0);
    execve(argv[0], argv.data(), envp.data());
    static const char kFailed[] = "exec failed\n";
    [[maybe_unused]] const auto ignored = write(STDERR_FILENO, kFailed, sizeof kFailed - 1);
    _exit(127);
  }
  close(devNull);
  if (piped) close(pipeEnds[1]);
  if (errorOutput == ErrorOutput::Capture) {
    errorPipe_ = pipeEnds[0];
    fcntl(errorPipe_, F_SETFL, O_NONBLOCK);
  }
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0 && !exitCode_) {
    kill(pid_, SIGKILL);
    Reap(0);
  }
  if (errorPipe_ >= 0) close(errorPipe_);
}

bool ChildProcess::Reap(int options) {
  if (exitCode_) return true;
  int status = 0;
  pid_t result;
  do {
    result = waitpid(pid_, &status, options);
  } while (result < 0 && errno == EINTR);
  if (result != pid_) return false;
  exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return true;
}

bool ChildProcess::Running() { return !Reap(WNOHANG); }

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  // The pipe is drained while waiting, so a chatty child cannot block on a full pipe.
  while (!Reap(WNOHANG)) {
    DrainErrorPipe();
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  DrainErrorPipe();
  return exitCode_;
}

void ChildProcess::Stop() {
  if (!Running()) return;
  kill(pid_, SIGTERM);
  if (!WaitForExit(std::chrono::seconds(1))) {
    kill(pid_, SIGKILL);
    Reap(0);
  }
}

const std::string& ChildProcess::ErrorText() {
  DrainErrorPipe();
  return errorText_;
}

void ChildProcess::DrainErrorPipe() {
  if (errorPipe_ < 0) return;
  char buffer[4096];
  while (true) {
    const ssize_t n = read(errorPipe_, buffer, sizeof buffer);
    if (n > 0) {
      errorText_.append(buffer, static_cast<std::size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      break;  // nothing more for now (EAGAIN), or the child closed its end
    }
  }
}

}  // namespace e2e
