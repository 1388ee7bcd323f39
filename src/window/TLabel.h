// A static text on the form: an opaque rectangle with a caption. Setting a property to the value
// it already has does nothing; a change only marks areas for the next paint.
#pragma once
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "window/Colors.h"
#include "window/TFont.h"

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
unsigned AlignmentFlag(TAlignment alignment);  // the text drawing flag that aligns like this

class TLabel {
 public:
  TLabel(platform::WindowHandle parent, std::string name) : Name(std::move(name)), parent_(parent) {}

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view text);

  TColor Color() const { return color_; }
  void SetColor(TColor color);  // leaves ParentColor as it is: the form decides who follows it

  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);

  void SetBounds(int left, int top, int width, int height);
  platform::Rect BoundsRect() const { return {Left(), Top(), Left() + Width(), Top() + Height()}; }
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Takes the size of the caption, keeping the right edge of a right-aligned label in place
  // and the left edge of any other.
  void AdjustSize();
  void Paint(const platform::Canvas& canvas) const;  // canvas origin at the label's corner

  std::string Name;
  TAlignment Alignment = TAlignment::taLeftJustify;
  bool AutoSize = true;
  bool ParentColor = true;
  bool ParentFont = true;

 private:
  void Invalidate(bool erase) const;

  platform::WindowHandle parent_;
  std::string caption_;
  TColor color_ = clBtnFace;
  TFont font_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};
