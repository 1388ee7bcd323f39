// The main window as it is laid out: its properties and its fourteen labels.
#pragma once
#include "window/FormLayout.h"

// "ＭＳ Ｐゴシック" in Shift-JIS: the face every font of the layout asks for.
inline const std::string kWindowFace = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

const FormLayout& Form1Layout();
