// The services the components stand on: windows, the message queue, timers, deferred painting,
// fonts and text, system colours and the millisecond counter, named and numbered as the Windows
// services they stand in for. Texts are code page 932 bytes. This is the contract every backend
// keeps; a backend that cannot keep a line of it says so where it implements it. Nothing above
// this layer knows which backend is underneath.
#pragma once
#include <compare>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using ColorRef = std::uint32_t;      // 0x00BBGGRR
using WindowHandle = std::uint32_t;  // 0 is no window
struct Rect { int left = 0, top = 0, right = 0, bottom = 0; };
inline bool IsRectEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool PtInRect(const Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }
inline Rect IntersectRect(const Rect& a, const Rect& b) {  // an empty result is all zeros
  const Rect r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
               a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom};
  return IsRectEmpty(r) ? Rect{} : r;
}
struct PlatformError : std::runtime_error { using std::runtime_error::runtime_error; };

// Start-up. PrepareProcess comes first of all: standard descriptors that exist, and a stderr
// whose reader has gone that fails a write instead of killing the process.
void PrepareProcess();
void Initialise();           // throws PlatformError when there is no display
void Shutdown();
int LogicalResolution();     // pixels per inch that fonts are sized for (96 unless the desktop scales)

// a × b / c in 64 bits, rounded half away from zero, as layouts and font metrics scale.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;  // as the system's own MulDiv answers
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

// Code page 932 text as UTF-8, for what leaves the program on stderr.
std::string AnsiToUtf8(std::string_view cp932);
// The first of a two-byte character in code page 932.
inline bool IsDBCSLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// Time: one clock for the counter and the timers.
std::uint32_t GetTickCount();  // milliseconds since boot, wrapping

// Windows. A message window has no place on screen; it only receives timer messages.
struct WindowOptions {
  std::string title; int left = 0, top = 0, clientWidth = 0, clientHeight = 0;
  bool minimizable = true; WindowHandle owner = 0;
  std::span<const unsigned char> icon;  // the bytes of a PNG image, or none for the desktop's default
};
enum class Show { Normal, Minimized, Restore };
WindowHandle CreateWindow(const WindowOptions& options);  // created hidden
WindowHandle CreateMessageWindow();
void DestroyWindow(WindowHandle window);
void ShowWindow(WindowHandle window, Show how);
void SetClientSize(WindowHandle window, int clientWidth, int clientHeight);  // still fixed for the user
void EnableWindow(WindowHandle window, bool enable);     // a disabled window gets no keys or clicks
bool IsWindowEnabled(WindowHandle window);
WindowHandle GetActiveWindow();
void SetActiveWindow(WindowHandle window);
WindowHandle GetCapture();                                // the window holding the mouse, or 0
void ReleaseCapture();

// Messages, with the Windows message numbers.
enum class Msg : std::uint32_t {
  None = 0, Paint = 0x000F, Close = 0x0010, Quit = 0x0012,
  KeyDown = 0x0100, KeyUp = 0x0101, Char = 0x0102, SysKeyDown = 0x0104, SysKeyUp = 0x0105,
  SysChar = 0x0106, Timer = 0x0113, LButtonDown = 0x0201, LButtonUp = 0x0202,
  DpiChanged = 0x02E0,  // the display's logical resolution is now wParam: lay the window out again
};
struct Message { Msg msg = Msg::None; WindowHandle window = 0; std::uint32_t wParam = 0, lParam = 0; };
bool PeekMessage(Message& message);  // takes the next message if there is one: queued, then paint, then due timers
void WaitMessage();                  // blocks until a message arrives or the earliest timer falls due
void PostQuitMessage(int exitCode);
void TranslateMessage(const Message& message);  // queues the Char a non-text key down makes (13, 27, 8, ^A...)
bool IsKeyDown(int virtualKey);                 // either side's key for VK_SHIFT, VK_CONTROL, VK_MENU
// Windows virtual-key codes, as key messages carry them.
enum VirtualKey : int {
  VK_LBUTTON = 0x01, VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10, VK_CONTROL = 0x11,
  VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20, VK_F1 = 0x70, VK_F4 = 0x73, VK_F13 = 0x7C,
  VK_LSHIFT = 0xA0, VK_RSHIFT = 0xA1, VK_LCONTROL = 0xA2, VK_RCONTROL = 0xA3, VK_LMENU = 0xA4, VK_RMENU = 0xA5,
  VK_OEM_MINUS = 0xBD, VK_OEM_4 = 0xDB, VK_OEM_5 = 0xDC, VK_OEM_6 = 0xDD,
};
// Where messages go that the system hands over itself, inside a loop of its own (its message box,
// a window being dragged), so that the program paints and ticks meanwhile. Unset, they wait for
// PeekMessage. A backend whose messages all come through PeekMessage never calls it.
using MessageHandler = void (*)(const Message&);
void SetMessageHandler(MessageHandler handler);
// The system's own modal message box with a stop icon and an OK button; returns when it is closed.
// False, without showing anything, where the system has none that can show the program's texts.
bool ShowStopBox(WindowHandle owner, std::string_view text, std::string_view caption);
// Why the program cannot start or go on, where its user will see it: one line "program: message"
// on stderr, or, for a Windows program, which has no terminal, a message box.
void ReportFatalError(std::string_view program, std::string_view message);

// Timers keyed by window and id: first tick one period after SetTimer, then on an absolute grid;
// ticks missed while busy merge into one. SetTimer returns false when refused. (The Windows
// backend hands its timers to the system, whose ticks keep the period but not the grid.)
bool SetTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);
void KillTimer(WindowHandle window, std::uint32_t id);

// Fonts and text.
enum : int { DEFAULT_CHARSET = 1, SHIFTJIS_CHARSET = 128 };
struct FontRequest {
  std::string face; int height = 0; int weight = 400; int charset = DEFAULT_CHARSET;
  // A request is its own cache key. The ordering is named, so that it is made from the members' own
  // < and == where a standard library has no <=> for strings (emscripten's).
  std::strong_ordering operator<=>(const FontRequest&) const = default;
};
struct TextMetrics { int height = 0, ascent = 0, descent = 0, averageCharWidth = 0; };
class Font;
using FontPtr = std::shared_ptr<const Font>;
// Mapped to an installed face by the system's font substitution; throws PlatformError if none.
FontPtr CreateFont(const FontRequest& request);
TextMetrics GetTextMetrics(const Font& font);
enum : unsigned { DT_LEFT = 0, DT_CENTER = 1, DT_RIGHT = 2, DT_EXPANDTABS = 0x40, DT_CALCRECT = 0x400, DT_NOPREFIX = 0x800 };
enum : int { COLOR_WINDOWTEXT = 8, COLOR_BTNFACE = 15 };
ColorRef GetSysColor(int index);

// A drawing surface: an origin and a clip rectangle on a window's frame buffer, or on no buffer
// at all (the screen), where only measuring makes sense.
class Canvas {
 public:
  static Canvas Screen();
  Canvas Within(const Rect& r) const;  // origin moved to r's corner, clip narrowed to r
  void FillRect(const Rect& r, ColorRef color) const;
  // Lays out text as the Windows DrawText does for the flags above; DT_CALCRECT stores the size
  // in r instead of drawing. Returns the height of the text.
  int DrawText(const Font& font, std::string_view text, Rect& r, unsigned flags, ColorRef color) const;
  void* surface = nullptr; int originX = 0, originY = 0; Rect clip;
};

// Deferred painting: invalidation marks areas; when the queue is empty a Paint message comes.
void InvalidateRect(WindowHandle window, const Rect* r, bool erase);  // nullptr: whole client area
struct PaintArea { Canvas canvas; std::vector<Rect> update, erase; };
PaintArea BeginPaint(WindowHandle window);
void EndPaint(WindowHandle window, const PaintArea& area);  // presents just the update rectangles

}  // namespace platform
