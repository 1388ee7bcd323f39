// Start-up, the clock, system colours and key state: on Windows each is one system call.
#include <cstdio>
#include <string>

#include "platform/FailurePlans.h"
#include "platform/win32/Win32Api.h"

namespace platform {

namespace win32 {

std::wstring Widen(std::string_view cp932) {
  cp932 = cp932.substr(0, cp932.find('\0'));
  if (cp932.empty()) return {};
  const int size = static_cast<int>(cp932.size());
  const int length = MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), size, wide.data(), length);
  return wide;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(932, 0, text.data(), size, nullptr, 0, "?", nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(932, 0, text.data(), size, bytes.data(), length, "?", nullptr);
  return bytes;
}

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

std::string AnsiToUtf8(std::string_view cp932) {
  const std::wstring wide = win32::Widen(cp932);
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

void Initialise(Mode mode) {
  if (mode == Mode::Headless) throw PlatformError("the Windows build has no headless mode");
  // Fonts and the layout are scaled by the program itself; the system must not stretch its pixels.
  SetProcessDPIAware();
}

void Shutdown() { detail::ForgetInjectedFailures(); }

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
