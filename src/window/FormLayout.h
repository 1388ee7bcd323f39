// A form described as data: the window's own properties and its labels in painting order.
// Forms are built from this once; nothing afterwards creates, moves or restyles a label.
#pragma once
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "window/Colors.h"
#include "window/TFont.h"
#include "window/TLabel.h"

struct LabelLayout {
  std::string name;
  int left, top, width, height;  // width and height of a self-sizing label are only its first guess
  TAlignment alignment;
  bool autoSize;
  bool parentFont;
  TFont font;  // when not parentFont
  bool parentColor;
  TColor color;  // when not parentColor
  std::string caption;
};

struct FormLayout {
  std::string caption;
  int left, top;  // the window's outer top-left corner on the screen
  int clientWidth, clientHeight;
  TColor color = clBtnFace;
  TFont font;
  int pixelsPerInch = 96;  // the display it was laid out on,
  int textHeight = 12;     // and the height of "0" in its font there
  std::span<const unsigned char> icon;  // a PNG image
  std::vector<LabelLayout> labels;
};

// The height of the text "0" in a font, as the scaling measures it.
int MeasureTextHeight(const TFont& font);
// Adapts a layout to a display of `resolution` pixels per inch, on which `measure` gives the
// height of "0" in a font: the window font follows the resolution, and everything else the
// measured height, through each label font's point size.
FormLayout ScaleLayout(const FormLayout& layout, int resolution, const std::function<int(const TFont&)>& measure);
// Both steps for the display the program runs on.
FormLayout ScaledForDisplay(const FormLayout& layout);
platform::WindowOptions WindowOptionsOf(const FormLayout& layout);
