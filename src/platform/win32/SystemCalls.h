// What the backend asks of the system that the system may refuse: a window, a window's back
// buffer, a font, a timer; and the end of a session. The program is linked with SystemCalls.cpp,
// which asks straight away; test builds are linked with TestSeam.cpp instead, which can refuse
// each of them first, as a system short of memory would (null or 0, with the last error set).
#pragma once
#include "platform/win32/Win32Api.h"

namespace platform::win32 {

HWND NewWindow(DWORD extendedStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
               HWND owner);
HBITMAP NewBackBitmap(HDC screen, int width, int height);
HFONT NewFont(const LOGFONTW& logical);
bool StartTimer(HWND hwnd, UINT_PTR id, UINT periodMs);

// The window class every window of the program belongs to.
extern const wchar_t* const kWindowClass;
// After Shutdown: the seam forgets what it was asked to refuse.
void SessionEnded();

}  // namespace platform::win32
