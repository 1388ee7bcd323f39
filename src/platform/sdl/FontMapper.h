// Finds the font file for a requested face through fontconfig, as the Windows font mapper finds
// one for a logical font: the face the program was laid out with is not installed here, so the
// mapper knows what stands in for it.
#pragma once
#include <string>

namespace platform {

struct FontFile {
  std::string path;
  int faceIndex = 0;         // the face within a .ttc collection
  bool needsEmbolden = false;  // bold was asked for but the family has no bold face of its own
};

// Loads fontconfig's configuration and the program's aliases on a thread of their own, while the
// display is being opened; the first MapFont takes the result, or the failure, from there.
void PrepareFontMapper();

// `family` is UTF-8; `weight` is 100..900 (400 regular, 700 bold); `japanese` asks for a face
// that covers Japanese when the family itself is missing (the Shift-JIS character set).
// Throws PlatformError when fontconfig knows no font at all.
FontFile MapFont(const std::string& family, int weight, bool japanese);

}  // namespace platform
