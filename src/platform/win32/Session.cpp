// Start-up: a console to write to when started from one, and the resolution the program scales for.
#include <cstdio>

#include "platform/win32/SystemCalls.h"

namespace platform {

namespace win32 {

// A program of the window subsystem has no console of its own. Started from one (`quillet
// --help`, or a mistyped option), it writes to that one, so that what it says is seen there.
const bool attachedToParentConsole = [] {
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  return std::freopen("CONOUT$", "w", stdout) != nullptr && std::freopen("CONOUT$", "w", stderr) != nullptr;
}();

}  // namespace win32

// A Windows program has no descriptors to reopen and no SIGPIPE.
void PrepareProcess() {}

void Initialise() {
  // Fonts and the layout are scaled by the program itself; the system must not stretch its pixels.
  SetProcessDPIAware();
}

void Shutdown() { win32::SessionEnded(); }

int LogicalResolution() {
  const HDC screen = GetDC(nullptr);
  const int resolution = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return resolution > 0 ? resolution : 96;
}

}  // namespace platform
