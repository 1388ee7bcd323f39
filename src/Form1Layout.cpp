#include "Form1Layout.h"

#include "MainIcon.h"

namespace {

TFont LabelFont(int height, bool bold = false, TColor color = clWindowText) {
  TFont font;
  font.Name = kWindowFace;
  font.Height = height;
  font.Charset = platform::SHIFTJIS_CHARSET;
  font.Bold = bold;
  font.Color = color;
  return font;
}

constexpr auto Left = TAlignment::taLeftJustify;
constexpr auto Right = TAlignment::taRightJustify;
constexpr auto Centre = TAlignment::taCenter;
constexpr bool Fixed = false, SelfSizing = true;
constexpr bool OwnFont = false, WindowFont = true;
constexpr bool OwnColor = false, WindowColor = true;

FormLayout Build() {
  FormLayout form;
  form.caption = "QUILLET";
  form.left = 200, form.top = 109;
  form.clientWidth = 212, form.clientHeight = 212;
  form.color = clBtnFace;
  form.font = LabelFont(-12);
  form.pixelsPerInch = 96, form.textHeight = 12;
  form.icon = MainIconPng();
  const TFont window = form.font;
  //               name      left top width height align  size        font                    background
  form.labels = {
      {"Label1",  88,   0,  73, 97, Centre, Fixed,      OwnFont,    LabelFont(-96),             WindowColor, clBtnFace, "0"},
      {"Label2",  33, 152, 152, 24, Centre, Fixed,      OwnFont,    LabelFont(-24),             WindowColor, clBtnFace, "START "},
      {"Label3",  16, 104, 185, 37, Centre, Fixed,      OwnFont,    LabelFont(-37),             WindowColor, clBtnFace, "A - A"},
      {"Label4", 192,  60,  15, 29, Right,  SelfSizing, OwnFont,    LabelFont(-29),             WindowColor, clBtnFace, "0"},
      {"Label5", 176,  14,  32, 33, Right,  SelfSizing, OwnFont,    LabelFont(-32),             WindowColor, clBtnFace, "20"},
      {"Label6",  64, 200, 146, 12, Left,   SelfSizing, WindowFont, window,                     WindowColor, clBtnFace, "(c) 2026 the QUILLET crew"},
      {"Label7", 120, 184,  87, 12, Left,   SelfSizing, WindowFont, window,                     WindowColor, clBtnFace, "Version " QUILLET_VERSION},
      {"Label8",  64,  60,  15, 29, Right,  SelfSizing, OwnFont,    LabelFont(-29),             OwnColor,    clWhite,   "0"},
      {"Label9", 180,   0,  26, 12, Left,   SelfSizing, OwnFont,    LabelFont(-12),             WindowColor, clBtnFace, "TIME"},
      {"Label10", 40,  46,  38, 12, Left,   SelfSizing, OwnFont,    LabelFont(-12),             WindowColor, clBtnFace, "SCORE"},
      {"Label11",176,  46,  34, 12, Left,   SelfSizing, OwnFont,    LabelFont(-12),             WindowColor, clBtnFace, "LEVEL"},
      {"Label12", 64,  14,  15, 29, Right,  SelfSizing, OwnFont,    LabelFont(-29),             OwnColor,    clWhite,   "0"},
      {"Label13", 24,   0,  55, 12, Left,   SelfSizing, WindowFont, window,                     WindowColor, clBtnFace, "HI-SCORE"},
      {"Label14",  8, 179, 106, 16, Left,   Fixed,      OwnFont,    LabelFont(-16, true, clBlack), WindowColor, clBtnFace, " "},
  };
  return form;
}

}  // namespace

const FormLayout& Form1Layout() {
  static const FormLayout layout = Build();
  return layout;
}
