// Texts between the program's code page 932 bytes and the system's UTF-16, and UTF-8 for what
// leaves the program.
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

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

}  // namespace win32

std::string AnsiToUtf8(std::string_view cp932) { return win32::Utf8(win32::Widen(cp932)); }

}  // namespace platform
