#include "window/TErrorBox.h"

#include <algorithm>
#include <cmath>

#include "window/Colors.h"
#include "window/TFont.h"
#include "window/TForm.h"

namespace {
constexpr int kMargin = 12, kIconSize = 32, kGap = 12, kButtonWidth = 75, kButtonHeight = 23;
constexpr unsigned kTextFlags = platform::DT_LEFT | platform::DT_EXPANDTABS | platform::DT_NOPREFIX;

TFont BoxFont() {
  TFont font;
  font.Name = kWindowFace;
  font.Height = -12;
  return font;
}

// A red disc with a white cross, drawn row by row so that it needs nothing but rectangles.
void DrawStopIcon(const platform::Canvas& canvas, int x, int y) {
  const double radius = kIconSize / 2.0, centre = kIconSize / 2.0;
  for (int row = 0; row < kIconSize; ++row) {
    const double dy = row + 0.5 - centre;
    if (std::abs(dy) >= radius) continue;
    const int half = static_cast<int>(std::lround(std::sqrt(radius * radius - dy * dy)));
    canvas.FillRect({x + kIconSize / 2 - half, y + row, x + kIconSize / 2 + half, y + row + 1}, 0x000000C8);
  }
  for (int i = 9; i < kIconSize - 9; ++i) {
    canvas.FillRect({x + i - 2, y + i, x + i + 2, y + i + 1}, 0x00FFFFFF);
    canvas.FillRect({x + kIconSize - i - 2, y + i, x + kIconSize - i + 2, y + i + 1}, 0x00FFFFFF);
  }
}

platform::WindowOptions Placement(std::string_view caption, int width, int height, const TForm* owner) {
  platform::WindowOptions options;
  options.title = std::string(caption);
  options.clientWidth = width;
  options.clientHeight = height;
  options.minimizable = false;
  // An owned box opens centred over its owner, wherever that is by then; the place given here
  // counts only for a box without an owner.
  options.left = options.top = 200;
  options.owner = owner ? owner->Handle() : 0;
  return options;
}
}  // namespace

// The stop sign on the left, the text to its right (centred on the sign when short), the button
// centred below both.
TErrorBox::Layout TErrorBox::LayOut(std::string_view text) {
  platform::Rect measured{0, 0, 0, 0};
  platform::Canvas::Screen().DrawText(*BoxFont().Handle(), text, measured, kTextFlags | platform::DT_CALCRECT, 0);
  const int textLeft = kMargin + kIconSize + kGap;
  const int textTop = kMargin + std::max(0, (kIconSize - measured.bottom) / 2);
  const int contentBottom = std::max(kMargin + kIconSize, textTop + measured.bottom);
  const int width = std::max(textLeft + measured.right + kMargin, kButtonWidth + 2 * kMargin + 60);
  const int buttonTop = contentBottom + kGap;
  const int buttonLeft = (width - kButtonWidth) / 2;
  return {{textLeft, textTop, textLeft + measured.right, textTop + measured.bottom},
          {buttonLeft, buttonTop, buttonLeft + kButtonWidth, buttonTop + kButtonHeight},
          width,
          buttonTop + kButtonHeight + kMargin};
}

TErrorBox::TErrorBox(std::string_view text, std::string_view caption, const TForm* owner)
    : TErrorBox(text, caption, owner, LayOut(text)) {}

TErrorBox::TErrorBox(std::string_view text, std::string_view caption, const TForm* owner, const Layout& layout)
    : TWindow(platform::CreateWindow(Placement(caption, layout.width, layout.height, owner))),
      text_(text),
      textRect_(layout.text),
      button_(layout.button) {}

void TErrorBox::Show() {
  platform::ShowWindow(Handle(), platform::Show::Normal);
  platform::SetActiveWindow(Handle());
}

void TErrorBox::WndProc(const platform::Message& message) {
  switch (message.msg) {
    case platform::Msg::Paint:
      Paint();
      break;
    case platform::Msg::KeyDown:
      if (message.wParam == platform::VK_RETURN || message.wParam == platform::VK_SPACE ||
          message.wParam == platform::VK_ESCAPE) {
        closed_ = true;
      }
      break;
    case platform::Msg::LButtonUp: {
      const int x = static_cast<int>(message.lParam & 0xFFFF), y = static_cast<int>(message.lParam >> 16);
      if (platform::PtInRect(button_, x, y)) closed_ = true;
      break;
    }
    case platform::Msg::Close:
      closed_ = true;
      break;
    default:
      break;
  }
}

void TErrorBox::Paint() {
  const platform::PaintArea area = platform::BeginPaint(Handle());
  const platform::Canvas& canvas = area.canvas;
  const platform::ColorRef face = ColorToRGB(clBtnFace), text = ColorToRGB(clWindowText);
  canvas.FillRect(canvas.clip, face);
  DrawStopIcon(canvas, kMargin, kMargin);
  const platform::FontPtr font = BoxFont().Handle();
  platform::Rect textRect = textRect_;
  canvas.DrawText(*font, text_, textRect, kTextFlags, text);
  // A plain push button: dark frame, light inner edge, the label centred.
  const platform::Rect& b = button_;
  canvas.FillRect(b, 0x00404040);
  canvas.FillRect({b.left + 1, b.top + 1, b.right - 1, b.bottom - 1}, 0x00FFFFFF);
  canvas.FillRect({b.left + 2, b.top + 2, b.right - 1, b.bottom - 1}, 0x00A0A0A0);
  canvas.FillRect({b.left + 2, b.top + 2, b.right - 2, b.bottom - 2}, face);
  platform::Rect label{b.left, b.top + (kButtonHeight - platform::GetTextMetrics(*font).height) / 2, b.right, b.bottom};
  canvas.DrawText(*font, "OK", label, platform::DT_CENTER | platform::DT_NOPREFIX, text);
  platform::EndPaint(Handle(), area);
}
