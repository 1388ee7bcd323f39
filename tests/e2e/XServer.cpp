#include "e2e/XServer.h"

#include "e2e/Deadline.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace e2e {
namespace {

// A window that vanishes between finding it and reading it (the program just closed) makes a
// request fail; Xlib's default handler would end the test process. The failed call's own result
// tells the caller.
int NoteError(Display*, XErrorEvent*) { return 0; }

// Xvfb writes the display number it chose, then a newline, once it accepts connections.
std::string ReadDisplayNumber(int fd, ChildProcess& server) {
  using namespace std::chrono;
  const auto deadline = steady_clock::now() + seconds(10);
  std::string text;
  while (text.find('\n') == std::string::npos) {
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    if (left <= 0) throw std::runtime_error("Xvfb did not report its display within 10 s");
    pollfd waiting{fd, POLLIN, 0};
    if (poll(&waiting, 1, static_cast<int>(left)) <= 0) continue;
    char buffer[32];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) {
      throw std::runtime_error("Xvfb ended before reporting its display: " + server.ErrorText());
    }
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text.substr(0, text.find('\n'));
}

}  // namespace

XServer::XServer(WindowManager windowManager) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe for Xvfb");
  try {
    process_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(report[1]), "-screen", "0", "800x600x24",
                                 "-nolisten", "tcp"},
        EnvironmentChanges{}, ErrorOutput::Capture, report[1]);
    close(report[1]);
    report[1] = -1;
    displayName_ = ":" + ReadDisplayNumber(report[0], *process_);
  } catch (...) {
    close(report[0]);
    if (report[1] >= 0) close(report[1]);
    throw;
  }
  close(report[0]);
  XSetErrorHandler(NoteError);
  display_ = XOpenDisplay(displayName_.c_str());
  if (!display_) throw std::runtime_error("cannot connect to Xvfb on " + displayName_);
  if (windowManager == WindowManager::Absent) return;
  windowManager_ = std::make_unique<ChildProcess>(std::vector<std::string>{"openbox", "--sm-disable"},
                                                  EnvironmentChanges{{{"DISPLAY", displayName_}}, {}});
  // A window manager that is up names its check window on the root window.
  const Atom check = XInternAtom(display_, "_NET_SUPPORTING_WM_CHECK", False);
  const bool up = WaitUntil([&] {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, DefaultRootWindow(display_), check, 0, 1, False, AnyPropertyType, &type, &format,
                       &count, &after, &data);
    if (data) XFree(data);
    return count == 1 || !windowManager_->Running();
  }, std::chrono::milliseconds(10000));
  if (!up || !windowManager_->Running()) {
    throw std::runtime_error("openbox did not start: " + windowManager_->ErrorText());
  }
}

XServer::~XServer() {
  if (windowManager_) windowManager_->Stop();
  if (display_) XCloseDisplay(display_);
  if (process_) process_->Stop();
}

}  // namespace e2e
