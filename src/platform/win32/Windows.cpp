// Top-level windows and message windows. Our handles are small numbers kept in a table, so that
// a handle outlives nothing: a destroyed window's number is never given out again.
#include <map>

#include "platform/win32/SystemCalls.h"

namespace platform {

const wchar_t* const win32::kWindowClass = L"QuilletWindow";

namespace {

using win32::WindowState;
using win32::kWindowClass;

struct WindowTable {
  std::map<WindowHandle, WindowState> byHandle;
  std::map<HWND, WindowHandle> byHwnd;
  WindowHandle last = 0;
};

WindowTable& Table() {
  static WindowTable table;
  return table;
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WindowHandle window = win32::FromHwnd(hwnd);
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;  // the window paints its background itself, with its labels
    case WM_CLOSE:
      // Closing is the program's decision: it destroys the window when it ends.
      if (window) win32::Deliver({Msg::Close, window, 0, 0});
      return 0;
    case WM_CHAR:
      // Sent rather than posted, by an input method committing its text.
      if (window) {
        win32::QueueCharacter(window, static_cast<wchar_t>(wParam));
        return 0;
      }
      break;
    case WM_SYSCOLORCHANGE:
      // The window's colours may be system colours: everything is drawn again in the new ones.
      if (window) InvalidateRect(window, nullptr, true);
      break;
    case WM_PAINT:
    case WM_TIMER:
      // Reached here only from a loop of the system's own (its message box, a window being
      // dragged): the program keeps painting and ticking meanwhile.
      if (window) {
        win32::Deliver({static_cast<Msg>(msg), window, static_cast<std::uint32_t>(wParam), 0});
        if (msg == WM_PAINT) ValidateRect(hwnd, nullptr);  // painted, or queued and painted whole
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void RegisterWindowClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    // The program's icon lives in its resources; a build without one gets the system's.
    windowClass.hIcon = LoadIconW(windowClass.hInstance, L"MAINICON");
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(windowClass.hInstance, L"MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                   GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass)) win32::Fail("RegisterClassEx");
    return true;
  }();
  (void)registered;
}

WindowHandle Adopt(HWND hwnd) {
  WindowTable& table = Table();
  const WindowHandle handle = ++table.last;
  table.byHandle[handle].hwnd = hwnd;
  table.byHwnd[hwnd] = handle;
  return handle;
}

void FreeBackBuffer(WindowState& state) {
  if (!state.backDc) return;
  SelectObject(state.backDc, state.previousBitmap);
  DeleteObject(state.backBitmap);
  DeleteDC(state.backDc);
  state.backDc = nullptr;
  state.backBitmap = nullptr;
}

void MakeBackBuffer(WindowState& state, int width, int height) {
  const HDC screen = GetDC(nullptr);
  state.backDc = CreateCompatibleDC(screen);
  state.backBitmap = win32::NewBackBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  if (!state.backDc || !state.backBitmap) {
    // Half a back buffer is none: what was made goes, and the window is left with nothing to free.
    const DWORD reason = GetLastError();
    if (state.backBitmap) DeleteObject(state.backBitmap);
    if (state.backDc) DeleteDC(state.backDc);
    state.backDc = nullptr;
    state.backBitmap = nullptr;
    SetLastError(reason);
    win32::Fail("CreateCompatibleBitmap");
  }
  state.previousBitmap = SelectObject(state.backDc, state.backBitmap);
  // Nothing is painted yet: all of it waits, with the background.
  state.client = {0, 0, width, height};
  state.update.Add({0, 0, width, height});
  state.erase.Add({0, 0, width, height});
}

}  // namespace

namespace win32 {

HWND ToHwnd(WindowHandle window) {
  const auto found = Table().byHandle.find(window);
  return found == Table().byHandle.end() ? nullptr : found->second.hwnd;
}

WindowHandle FromHwnd(HWND hwnd) {
  const auto found = Table().byHwnd.find(hwnd);
  return found == Table().byHwnd.end() ? 0 : found->second;
}

WindowState* StateOf(WindowHandle window) {
  const auto found = Table().byHandle.find(window);
  return found == Table().byHandle.end() ? nullptr : &found->second;
}

}  // namespace win32

WindowHandle CreateWindow(const WindowOptions& options) {
  RegisterWindowClass();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                      (options.minimizable ? WS_MINIMIZEBOX : 0);
  const DWORD extendedStyle = WS_EX_CONTROLPARENT;
  // The options give the client area's size and the frame's top-left corner.
  RECT frame{0, 0, options.clientWidth, options.clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
  const HWND hwnd = win32::NewWindow(extendedStyle, win32::Widen(options.title).c_str(), style, options.left,
                                     options.top, frame.right - frame.left, frame.bottom - frame.top,
                                     win32::ToHwnd(options.owner));
  if (!hwnd) win32::Fail("CreateWindowEx");
  const WindowHandle handle = Adopt(hwnd);
  try {
    MakeBackBuffer(Table().byHandle[handle], options.clientWidth, options.clientHeight);
  } catch (...) {
    DestroyWindow(handle);
    throw;
  }
  return handle;
}

WindowHandle CreateMessageWindow() {
  RegisterWindowClass();
  const HWND hwnd = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  if (!hwnd) win32::Fail("CreateWindowEx");
  return Adopt(hwnd);
}

void DestroyWindow(WindowHandle window) {
  WindowTable& table = Table();
  const auto found = table.byHandle.find(window);
  if (found == table.byHandle.end()) return;
  WindowState& state = found->second;
  FreeBackBuffer(state);
  table.byHwnd.erase(state.hwnd);
  ::DestroyWindow(state.hwnd);
  table.byHandle.erase(found);
}

void SetClientSize(WindowHandle window, int clientWidth, int clientHeight) {
  WindowState* state = win32::StateOf(window);
  if (!state || clientWidth <= 0 || clientHeight <= 0) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(state->hwnd, GWL_STYLE));
  const auto extendedStyle = static_cast<DWORD>(GetWindowLongPtrW(state->hwnd, GWL_EXSTYLE));
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
  SetWindowPos(state->hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  FreeBackBuffer(*state);
  MakeBackBuffer(*state, clientWidth, clientHeight);
}

void ShowWindow(WindowHandle window, Show how) {
  const HWND hwnd = win32::ToHwnd(window);
  if (!hwnd) return;
  switch (how) {
    case Show::Normal: {
      // The first show honours how the program was started (minimised from a shortcut, say).
      static bool first = true;
      ::ShowWindow(hwnd, first ? SW_SHOWDEFAULT : SW_SHOW);
      first = false;
      break;
    }
    case Show::Minimized: ::ShowWindow(hwnd, SW_SHOWMINNOACTIVE); break;
    case Show::Restore: ::ShowWindow(hwnd, SW_RESTORE); break;
  }
}

void EnableWindow(WindowHandle window, bool enable) {
  if (const HWND hwnd = win32::ToHwnd(window)) ::EnableWindow(hwnd, enable ? TRUE : FALSE);
}

bool IsWindowEnabled(WindowHandle window) {
  const HWND hwnd = win32::ToHwnd(window);
  return hwnd && ::IsWindowEnabled(hwnd);
}

WindowHandle GetActiveWindow() { return win32::FromHwnd(::GetActiveWindow()); }

void SetActiveWindow(WindowHandle window) {
  if (const HWND hwnd = win32::ToHwnd(window)) {
    ::SetActiveWindow(hwnd);
    SetForegroundWindow(hwnd);
  }
}

WindowHandle GetCapture() { return win32::FromHwnd(::GetCapture()); }

void ReleaseCapture() { ::ReleaseCapture(); }

}  // namespace platform
