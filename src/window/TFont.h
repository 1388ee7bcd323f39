// A font as the layout describes it. The platform font behind it is realised only when the
// label measures or paints, and is shared between labels that describe the same font.
#pragma once
#include <string>

#include "platform/Platform.h"
#include "window/Colors.h"

// "ＭＳ Ｐゴシック" in Shift-JIS: the face of the system's own windows and dialogs, which the
// main window's fonts ask for too.
inline const std::string kWindowFace = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";

class TFont {
 public:
  std::string Name;         // code page 932 bytes
  int Height = -12;         // negative: the character height in pixels, without internal leading
  int Charset = platform::SHIFTJIS_CHARSET;
  bool Bold = false;
  TColor Color = clWindowText;

  platform::FontPtr Handle() const {
    return platform::CreateFont({Name, Height, Bold ? 700 : 400, Charset});
  }
  bool operator==(const TFont&) const = default;
};
