// What the Windows backend's files share: <windows.h> without the macros that would rename the
// platform's own functions (CreateWindow, PeekMessage, DrawText...), the table from our window
// handles to the system's, and the conversions at the system's edge.
#pragma once
// First, so that its DT_ constants are declared before <windows.h> defines the same names as macros.
#include "platform/Platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CreateFont
#undef CreateWindow
#undef DrawText
#undef GetTextMetrics
#undef MessageBox
#undef PeekMessage
#undef PostMessage

#include <string>
#include <string_view>

#include "platform/UpdateRegion.h"

namespace platform::win32 {

// Texts are code page 932 bytes everywhere above this layer. They are widened for the system's
// Unicode functions, so that they read the same on a Windows set to any other code page.
std::wstring Widen(std::string_view cp932);
std::string Narrow(std::wstring_view text);  // a character code page 932 lacks becomes "?"
std::string Utf8(std::wstring_view text);

// Throws PlatformError naming the call and the system's own reason (GetLastError).
[[noreturn]] void Fail(const char* call);

HWND ToHwnd(WindowHandle window);    // nullptr for 0 or a window already destroyed
WindowHandle FromHwnd(HWND hwnd);    // 0 for a window that is not ours

// Hands a message to the component layer: through the handler when one is set, else queued for
// the next PeekMessage. Used for what the system delivers to our window procedure itself.
void Deliver(const Message& message);
// A typed character arrives as UTF-16; the program takes code page 932 bytes, lead byte first.
// They are queued for the next PeekMessage.
void QueueCharacter(WindowHandle window, wchar_t unit);

// What a window keeps for painting. The back buffer always holds the whole client area as last
// painted, so the screen is restored from it when uncovered, without asking the program again.
struct WindowState {
  HWND hwnd = nullptr;
  HDC backDc = nullptr;  // only windows on screen have one
  HBITMAP backBitmap = nullptr;
  HGDIOBJ previousBitmap = nullptr;
  RECT client{};
  detail::UpdateRegion update, erase;  // what the program marked, and where with the background
  PAINTSTRUCT paint{};
};
WindowState* StateOf(WindowHandle window);  // nullptr for a window that is gone
// The device context text is measured on, with no window behind it.
HDC MeasuringDc();

}  // namespace platform::win32
