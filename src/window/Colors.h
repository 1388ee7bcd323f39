// Colour values as the layout and the game use them: 0x00BBGGRR, or with the top bit set a
// reference to a system colour, kept as such and resolved only when something is drawn.
#pragma once
#include <cstdint>

#include "platform/Platform.h"

using TColor = std::uint32_t;

inline constexpr TColor kSystemColor = 0x80000000;
inline constexpr TColor clBtnFace = kSystemColor | platform::COLOR_BTNFACE;
inline constexpr TColor clWindowText = kSystemColor | platform::COLOR_WINDOWTEXT;
inline constexpr TColor clLime = 0x0000FF00;
inline constexpr TColor clRed = 0x000000FF;
inline constexpr TColor clAqua = 0x00FFFF00;
inline constexpr TColor clWhite = 0x00FFFFFF;
inline constexpr TColor clBlack = 0x00000000;

inline platform::ColorRef ColorToRGB(TColor color) {
  if (color & kSystemColor) return platform::GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFFu;
}
