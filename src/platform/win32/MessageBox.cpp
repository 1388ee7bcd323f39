// The error box is the system's own: modal, with the stop icon and one OK button.
#include "platform/win32/Win32Api.h"

namespace platform {

bool ShowStopBox(WindowHandle owner, std::string_view text, std::string_view caption) {
  if (MessageBoxW(win32::ToHwnd(owner), win32::Widen(text).c_str(), win32::Widen(caption).c_str(),
                  MB_OK | MB_ICONSTOP) == 0) {
    win32::Fail("MessageBox");
  }
  return true;
}

void ReportFatalError(std::string_view program, std::string_view message) {
  MessageBoxW(nullptr, win32::Widen(message).c_str(), win32::Widen(program).c_str(), MB_OK | MB_ICONSTOP);
}

}  // namespace platform
