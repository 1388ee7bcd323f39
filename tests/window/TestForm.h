// A small form for component tests: a right-aligned white number box, a centred fixed label
// and a left-aligned caption that follows the window colour, all in the window's face.
#pragma once
#include "window/TFont.h"
#include "window/FormLayout.h"
#include "window/TForm.h"

inline TFont FaceAt(int height) {
  TFont font;
  font.Name = kWindowFace;
  font.Height = height;
  return font;
}

inline FormLayout TestLayout() {
  FormLayout form;
  form.caption = "test";
  form.left = 0, form.top = 0, form.clientWidth = 212, form.clientHeight = 212;
  form.font = FaceAt(-12);
  form.labels = {
      {"Number", 64, 60, 15, 29, TAlignment::taRightJustify, true, false, FaceAt(-29), false, clWhite, "0"},
      {"Banner", 16, 104, 185, 37, TAlignment::taCenter, false, false, FaceAt(-37), true, clBtnFace, "A - A"},
      {"Caption", 40, 46, 38, 12, TAlignment::taLeftJustify, true, true, FaceAt(-12), true, clBtnFace, "SCORE"},
  };
  return form;
}
