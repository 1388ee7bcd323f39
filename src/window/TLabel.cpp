#include "window/TLabel.h"

unsigned AlignmentFlag(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify: return platform::DT_RIGHT;
    case TAlignment::taCenter: return platform::DT_CENTER;
    case TAlignment::taLeftJustify: break;
  }
  return platform::DT_LEFT;
}

void TLabel::SetCaption(std::string_view text) {
  text = text.substr(0, text.find('\0'));  // a caption is a zero-ended text
  if (text == caption_) return;
  caption_ = text;
  Invalidate(false);  // the label paints its whole rectangle, no need to erase under it
  if (AutoSize) AdjustSize();
}

void TLabel::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate(false);
}

void TLabel::SetFont(const TFont& font) {
  if (font == font_) return;
  font_ = font;
  Invalidate(false);
  if (AutoSize) AdjustSize();
}

void TLabel::SetBounds(int left, int top, int width, int height) {
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  Invalidate(true);  // the strip the label no longer covers shows the window again
  left_ = left, top_ = top, width_ = width, height_ = height;
  Invalidate(false);
}

void TLabel::AdjustSize() {
  // An empty caption and a lone "&" would measure nothing; a blank keeps one line's height.
  std::string text = caption_;
  if (text.empty() || text == "&") text += ' ';
  platform::Rect measured{0, 0, width_, height_};
  platform::Canvas::Screen().DrawText(*font_.Handle(), text, measured,
                                      platform::DT_CALCRECT | platform::DT_EXPANDTABS, 0);
  const int width = measured.right, height = measured.bottom;
  const int left = Alignment == TAlignment::taRightJustify ? left_ + width_ - width : left_;
  SetBounds(left, top_, width, height);
}

void TLabel::Paint(const platform::Canvas& canvas) const {
  platform::Rect r{0, 0, width_, height_};
  canvas.FillRect(r, ColorToRGB(color_));
  canvas.DrawText(*font_.Handle(), caption_, r, platform::DT_EXPANDTABS | AlignmentFlag(Alignment),
                  ColorToRGB(font_.Color));
}

void TLabel::Invalidate(bool erase) const {
  if (width_ <= 0 || height_ <= 0) return;
  const platform::Rect r = BoundsRect();
  platform::InvalidateRect(parent_, &r, erase);
}
