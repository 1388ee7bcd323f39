// The system's own reason for a call that failed.
#include <string>

#include "platform/win32/Win32Api.h"

namespace platform::win32 {

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

}  // namespace platform::win32
