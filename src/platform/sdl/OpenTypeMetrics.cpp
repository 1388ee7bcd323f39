#include "platform/sdl/OpenTypeMetrics.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/Platform.h"

namespace platform {
namespace {

struct FaceDone {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

// A FreeType instance of its own for reading tables; SDL_ttf keeps its own for drawing.
FT_Library Library() {
  static const std::unique_ptr<FT_LibraryRec_, void (*)(FT_Library)> library = [] {
    FT_Library made = nullptr;
    if (FT_Init_FreeType(&made) != 0) made = nullptr;
    return std::unique_ptr<FT_LibraryRec_, void (*)(FT_Library)>(made, [](FT_Library l) { FT_Done_FreeType(l); });
  }();
  return library.get();
}

}  // namespace

std::optional<OpenTypeMetrics> ReadOpenTypeMetrics(const unsigned char* bytes, std::size_t length, int faceIndex) {
  FT_Library library = Library();
  FT_Face opened = nullptr;
  if (!library || faceIndex < 0 ||
      FT_New_Memory_Face(library, bytes, static_cast<FT_Long>(length), faceIndex, &opened) != 0) {
    return std::nullopt;
  }
  const std::unique_ptr<FT_FaceRec_, FaceDone> face(opened);
  const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_HEAD));
  if (!head || head->Units_Per_EM == 0) return std::nullopt;

  OpenTypeMetrics metrics;
  metrics.unitsPerEm = head->Units_Per_EM;
  // FreeType marks an OS/2 table it could not use with version 0xFFFF.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_HHEA));
  if (os2 && os2->version != 0xFFFF) {
    metrics.averageCharWidth = os2->xAvgCharWidth;
    metrics.winAscent = os2->usWinAscent;
    metrics.winDescent = os2->usWinDescent;
  } else if (hhea) {
    // Old Mac fonts without OS/2: the horizontal header is the best there is.
    metrics.winAscent = hhea->Ascender;
    metrics.winDescent = std::abs(hhea->Descender);
  } else {
    return std::nullopt;
  }
  if (metrics.winAscent + metrics.winDescent <= 0) return std::nullopt;
  if (const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_POST))) {
    metrics.underlinePosition = post->underlinePosition;
    metrics.underlineThickness = post->underlineThickness;
  }
  return metrics;
}

ScaledMetrics ScaleMetrics(const OpenTypeMetrics& metrics, int emPixels) {
  const auto scale = [&](int units) { return MulDiv(units, emPixels, metrics.unitsPerEm); };
  ScaledMetrics scaled;
  scaled.ascent = scale(metrics.winAscent);
  scaled.descent = scale(metrics.winDescent);
  scaled.averageCharWidth = scale(metrics.averageCharWidth);
  // The mnemonic underline sits below the baseline by at least one pixel and inside the line.
  scaled.underlineThickness = std::max(1, scale(metrics.underlineThickness));
  scaled.underlineOffset = std::clamp(scale(-metrics.underlinePosition), 1,
                                      std::max(1, scaled.descent - scaled.underlineThickness));
  return scaled;
}

int EmPixelsForHeight(const OpenTypeMetrics& metrics, int height) {
  constexpr int kDefaultEmPixels = 12;
  if (height < 0) return -height;
  if (height == 0) return kDefaultEmPixels;
  const int cell = metrics.winAscent + metrics.winDescent;
  return std::max(1, MulDiv(height, metrics.unitsPerEm, cell));
}

}  // namespace platform
