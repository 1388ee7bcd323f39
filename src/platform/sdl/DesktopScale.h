// How far the desktop scales: the pixels per inch it sizes fonts for, and the pixels per point
// of a window on a scaled Wayland output.
#pragma once

namespace platform::detail {

// The display's pixels per inch from the X resource "Xft.dpi" (the setting desktops scale fonts
// by), or 0 when the text names none or an implausible one.
int ParseXftDpi(const char* resources);
int DesktopResolution();  // the display's own; 96 when the desktop says nothing
// Pixels per point of a window on a scaled Wayland output (whole steps); 1 everywhere else.
int OutputScale();

}  // namespace platform::detail
