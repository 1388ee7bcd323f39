// Deferred painting: invalidation marks; on WM_PAINT the program paints what it marked into the
// window's back buffer, and EndPaint copies to the screen everything the system wants repainted.
#include <algorithm>

#include "platform/win32/Font.h"

namespace platform {
namespace {

RECT OnDevice(const Canvas& canvas, const Rect& r) {
  const Rect visible = IntersectRect(canvas.clip, r);
  return {visible.left + canvas.originX, visible.top + canvas.originY, visible.right + canvas.originX,
          visible.bottom + canvas.originY};
}

HDC DeviceOf(const Canvas& canvas) {
  return canvas.surface ? static_cast<HDC>(canvas.surface) : win32::MeasuringDc();
}

}  // namespace

void Canvas::FillRect(const Rect& r, ColorRef color) const {
  if (!surface) return;
  const RECT area = OnDevice(*this, r);
  if (area.right <= area.left || area.bottom <= area.top) return;
  const HBRUSH brush = CreateSolidBrush(color & 0x00FFFFFF);
  ::FillRect(static_cast<HDC>(surface), &area, brush);
  DeleteObject(brush);
}

int Canvas::DrawText(const Font& font, std::string_view text, Rect& r, unsigned flags, ColorRef color) const {
  const HDC dc = DeviceOf(*this);
  const std::wstring wide = win32::Widen(text);
  const int saved = SaveDC(dc);
  SelectObject(dc, font.Handle());
  int height = 0;
  if ((flags & DT_CALCRECT) != 0) {
    RECT area{r.left, r.top, r.right, r.bottom};
    height = DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, flags);
    r = {static_cast<int>(area.left), static_cast<int>(area.top), static_cast<int>(area.right),
         static_cast<int>(area.bottom)};
  } else if (surface) {
    const RECT visible = OnDevice(*this, r);
    IntersectClipRect(dc, visible.left, visible.top, visible.right, visible.bottom);
    SetTextColor(dc, color & 0x00FFFFFF);
    SetBkMode(dc, TRANSPARENT);
    RECT area{r.left + originX, r.top + originY, r.right + originX, r.bottom + originY};
    height = DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, flags);
  }
  RestoreDC(dc, saved);
  return height;
}

void InvalidateRect(WindowHandle window, const Rect* r, bool erase) {
  win32::WindowState* state = win32::StateOf(window);
  if (!state || !state->backDc) return;
  const Rect client{0, 0, state->client.right, state->client.bottom};
  const Rect area = r ? IntersectRect(*r, client) : client;
  if (IsRectEmpty(area)) return;
  state->update.Add(area);
  if (erase) state->erase.Add(area);
  const RECT marked{area.left, area.top, area.right, area.bottom};
  ::InvalidateRect(state->hwnd, &marked, FALSE);
}

PaintArea BeginPaint(WindowHandle window) {
  win32::WindowState* state = win32::StateOf(window);
  if (!state) return {};
  ::BeginPaint(state->hwnd, &state->paint);
  if (!state->backDc) return {};
  Canvas canvas;
  canvas.surface = state->backDc;
  canvas.clip = {0, 0, state->client.right, state->client.bottom};
  return {canvas, state->update.Take(), state->erase.Take()};
}

void EndPaint(WindowHandle window, const PaintArea&) {
  win32::WindowState* state = win32::StateOf(window);
  if (!state) return;
  // What the system asks for may be more than the program painted: a part that was covered.
  const RECT& r = state->paint.rcPaint;
  if (state->backDc && state->paint.hdc) {
    BitBlt(state->paint.hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, state->backDc, r.left, r.top, SRCCOPY);
  }
  ::EndPaint(state->hwnd, &state->paint);
}

ColorRef GetSysColor(int index) { return ::GetSysColor(index); }

}  // namespace platform
