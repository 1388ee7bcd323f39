// Start-up, the clock, system colours and key state: on Windows each is one system call; and the
// system's own reason for a call that failed.
#include <cstdio>
#include <string>

#include "platform/win32/SystemCalls.h"

namespace platform {

namespace win32 {

void Fail(const char* call) {
  const DWORD code = GetLastError();
  wchar_t reason[256] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, reason, 256, nullptr);
  std::string text = std::string(call) + " failed (error " + std::to_string(code) + ")";
  std::string why = Narrow(reason);  // the program's texts are code page 932, the system's reasons too
  while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ')) why.pop_back();
  if (!why.empty()) text += ": " + why;
  throw PlatformError(text);
}

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

std::uint32_t GetTickCount() { return ::GetTickCount(); }

ColorRef GetSysColor(int index) { return ::GetSysColor(index); }

bool IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace platform
