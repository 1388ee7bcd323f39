// The numbers of a TrueType/OpenType face that text layout needs, read from the font's OS/2,
// hhea, head and post tables. The renderer's own heights come from other metrics and differ by
// a pixel at some sizes, so line heights and baselines are computed from these instead.
#pragma once
#include <ft2build.h>
#include FT_FREETYPE_H

#include <optional>

#include "platform/FontScaling.h"

namespace platform {

// Nothing when the face is no sfnt font (a Type 1 font) or lacks the tables.
std::optional<OpenTypeMetrics> ReadOpenTypeMetrics(FT_Face face);

}  // namespace platform
