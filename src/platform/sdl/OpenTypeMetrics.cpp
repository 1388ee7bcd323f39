#include "platform/sdl/OpenTypeMetrics.h"

#include FT_TRUETYPE_TABLES_H

#include <cstdlib>

namespace platform {

std::optional<OpenTypeMetrics> ReadOpenTypeMetrics(FT_Face face) {
  const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
  if (!head || head->Units_Per_EM == 0) return std::nullopt;

  OpenTypeMetrics metrics;
  metrics.unitsPerEm = head->Units_Per_EM;
  // FreeType marks an OS/2 table it could not use with version 0xFFFF.
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
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
  if (const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST))) {
    metrics.underlinePosition = post->underlinePosition;
    metrics.underlineThickness = post->underlineThickness;
  }
  return metrics;
}

}  // namespace platform
