// Asks the system what a screenshot cannot tell, one line per fact, in UTF-8, on stderr (which
// the tests' process harness reads back):
//   quillet_probe layout  - the main window's labels as built here, and the face the font became
//   quillet_probe windows - the button-face colour; for each visible window titled QUILLET, its
//                           frame and client area on screen, and for a message box its text
//                           and buttons
#include <cstdio>
#include <cstring>
#include <string>

#include "Form1.h"
#include "platform/Testing.h"
#include "platform/win32/Win32Api.h"
#include "window/TApplication.h"

namespace {

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  return bytes.c_str();
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

int Layout() {
  platform::Initialise();
  TApplication application;
  const TForm1& form = application.CreateForm<TForm1>();
  std::fprintf(stderr, "face %s\n", platform::testing::FontFileOf(*form.Font.Handle()).c_str());
  for (const auto& label : form.Labels()) {
    std::fprintf(stderr, "%s %d,%d %dx%d\n", label->Name.c_str(), label->Left(), label->Top(), label->Width(), label->Height());
  }
  return 0;
}

void DescribeBox(HWND box) {
  std::fprintf(stderr, "  text %s\n", Utf8(TextOf(GetDlgItem(box, 0xFFFF))).c_str());
  std::fprintf(stderr, "  buttons");
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t className[64] = L"";
    GetClassNameW(child, className, 64);
    if (_wcsicmp(className, L"Button") == 0 && IsWindowVisible(child)) std::fprintf(stderr, " %s", Utf8(TextOf(child)).c_str());
  }
  std::fprintf(stderr, "\n");
}

int Windows() {
  std::fprintf(stderr, "buttonface 0x%06lX\n", static_cast<unsigned long>(GetSysColor(COLOR_BTNFACE)));
  EnumWindows(
      [](HWND window, LPARAM) -> BOOL {
        if (TextOf(window) != L"QUILLET" || !IsWindowVisible(window)) return TRUE;
        wchar_t className[64] = L"";
        GetClassNameW(window, className, 64);
        RECT frame{}, client{};
        GetWindowRect(window, &frame);
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        std::fprintf(stderr, "window %s frame %ld,%ld client %ld,%ld %ldx%ld\n", Utf8(className).c_str(), frame.left, frame.top,
                    origin.x, origin.y, client.right, client.bottom);
        if (std::wcscmp(className, L"#32770") == 0) DescribeBox(window);
        return TRUE;
      },
      0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::strcmp(argv[1], "layout") == 0) return Layout();
    if (argc == 2 && std::strcmp(argv[1], "windows") == 0) return Windows();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quillet_probe: %s\n", failure.what());
    return 1;
  }
  std::fprintf(stderr, "usage: quillet_probe layout|windows\n");
  return 2;
}
