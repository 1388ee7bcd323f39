// The test builds' side of SystemCalls.h, and the parts of Testing.h the Windows programs under
// test use. Linked into test programs only: the shipped program has neither refusals nor hooks.
#include "platform/FailurePlans.h"
#include "platform/Testing.h"
#include "platform/win32/Font.h"
#include "platform/win32/SystemCalls.h"

namespace platform {
namespace {

using testing::Failure;

bool Refused(Failure call) {
  if (!detail::TestPlans().Take(call)) return false;
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return true;
}

}  // namespace

HWND win32::NewWindow(DWORD extendedStyle, const wchar_t* title, DWORD style, int x, int y, int width, int height,
                      HWND owner) {
  if (Refused(Failure::WindowCreation)) return nullptr;
  return CreateWindowExW(extendedStyle, kWindowClass, title, style, x, y, width, height, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

HBITMAP win32::NewBackBitmap(HDC screen, int width, int height) {
  return Refused(Failure::WindowSurface) ? nullptr : CreateCompatibleBitmap(screen, width, height);
}

HFONT win32::NewFont(const LOGFONTW& logical) { return Refused(Failure::FontOpen) ? nullptr : CreateFontIndirectW(&logical); }

bool win32::StartTimer(HWND hwnd, UINT_PTR id, UINT periodMs) {
  return !Refused(Failure::Timer) && ::SetTimer(hwnd, id, periodMs, nullptr) != 0;
}

void win32::SessionEnded() { detail::TestPlans().Forget(); }

void testing::InjectFailure(Failure call, int skip, int count) { detail::TestPlans().Plan(call, skip, count); }

std::string testing::FontFileOf(const Font& font) { return font.Face(); }

ColorRef testing::PixelAt(const Canvas& canvas, int x, int y) {
  if (!canvas.surface) return CLR_INVALID;
  return GetPixel(static_cast<HDC>(canvas.surface), x + canvas.originX, y + canvas.originY);
}

}  // namespace platform
