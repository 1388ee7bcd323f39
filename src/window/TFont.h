// A font as the layout describes it. The platform font behind it is realised only when the
// label measures or paints, and is shared between labels that describe the same font.
#pragma once
#include <string>

#include "platform/Platform.h"
#include "window/Colors.h"

inline constexpr int SHIFTJIS_CHARSET = 128;

class TFont {
 public:
  std::string Name;         // code page 932 bytes
  int Height = -12;         // negative: the character height in pixels, without internal leading
  int Charset = SHIFTJIS_CHARSET;
  bool Bold = false;
  TColor Color = clWindowText;

  platform::FontPtr Handle() const {
    return platform::CreateFont({Name, Height, Bold ? 700 : 400, Charset});
  }
  bool operator==(const TFont&) const = default;
};
