// Icons kept as XPM 3 images: C arrays of strings that can be read and redrawn in a text editor.
// The first string is "WIDTH HEIGHT NCOLORS CHARS_PER_PIXEL" (optionally followed by a hot spot,
// which is ignored), then one string per colour, "KEY c #RRGGBB" or "KEY c None", then one string
// per row, top row first, CHARS_PER_PIXEL characters per pixel.
//
// Pixels come out row by row as platform::ColorRef, 0x00BBGGRR. A "None" pixel is
// kTransparentPixel: its top byte is set, which no opaque colour has, and the platform layer
// shows it with alpha 0.
#pragma once
#include <span>

#include "platform/Platform.h"

inline constexpr platform::ColorRef kTransparentPixel = 0xFF000000;

// Both forms throw std::invalid_argument saying what is wrong with a malformed image.
//
// The span form reads no string outside `lines`, and the number of strings must be exactly what
// the header calls for (extensions are not supported).
platform::Icon IconFromXpm(std::span<const char* const> lines);

// For an array whose length is not at hand: the header is trusted for the number of strings, but
// a null pointer where a string should be is reported instead of followed.
platform::Icon IconFromXpm(const char* const* xpm);

// The program's own icon, parsed on first use.
const platform::Icon& MainIcon();
