// What the process is handed at its start is not always a terminal. A descriptor 0, 1 or 2 that
// is closed would be taken by the first thing the program opens, the X connection as like as
// not, and a message meant for stderr would go into it. And a stderr whose reader has gone (a
// pipe into a program that has ended) would kill the process with SIGPIPE at its first line,
// instead of letting it end with its own exit code.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Platform.h"

namespace platform {

void PrepareProcess() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lower ones are open by now, so this takes `fd` itself. Without /dev/null (a bare
    // chroot) the descriptor stays closed; nothing better is to be had.
    const int opened = open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) close(opened);
  }
  // A write to a pipe nobody reads fails with EPIPE instead, which every writer here handles;
  // the X and Wayland connections report a broken connection the same way.
  signal(SIGPIPE, SIG_IGN);
}

}  // namespace platform
