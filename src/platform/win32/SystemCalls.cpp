// The program's side of SystemCalls.h: every call goes straight to the system.
#include "platform/win32/SystemCalls.h"

namespace platform::win32 {

HWND NewWindow(DWORD extendedStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
               HWND owner) {
  return CreateWindowExW(extendedStyle, kWindowClass, title, style, x, y, width, height, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HBITMAP NewBackBitmap(HDC screen, int width, int height) { return CreateCompatibleBitmap(screen, width, height); }

HFONT NewFont(const LOGFONTW& logical) { return CreateFontIndirectW(&logical); }

bool StartTimer(HWND hwnd, UINT_PTR id, UINT periodMs) { return ::SetTimer(hwnd, id, periodMs, nullptr) != 0; }

void SessionEnded() {}

}  // namespace platform::win32
