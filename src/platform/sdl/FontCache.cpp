// CreateFont and the font queries: logical fonts are realised once per distinct request and
// shared, as the same face at the same size is asked for by many labels. Each font file is read
// once, and each family mapped once, however many sizes of it there are.
#include <algorithm>
#include <map>
#include <tuple>

#include "platform/sdl/CodePage.h"
#include "platform/sdl/FaceFile.h"
#include "platform/sdl/Font.h"
#include "platform/sdl/FontMapper.h"
#include "platform/sdl/Glyph.h"
#include "platform/sdl/OpenTypeMetrics.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/Platform.h"

namespace platform {
namespace {

using MappingKey = std::tuple<std::string, int, bool>;
using FileKey = std::pair<std::string, int>;

struct FontCache {
  // Declared first so that it is released last, after every file has closed its face.
  std::shared_ptr<TrueTypeLibrary> library;
  std::map<MappingKey, FontFile> mappings;
  std::map<FileKey, std::shared_ptr<FaceFile>> files;
  std::map<FontRequest, FontPtr> fonts;
};

FontCache& Cache() {
  static FontCache cache;
  return cache;
}

const FontFile& Mapped(FontCache& cache, const std::string& family, int weight, bool japanese) {
  const MappingKey key{family, weight, japanese};
  if (const auto found = cache.mappings.find(key); found != cache.mappings.end()) return found->second;
  return cache.mappings.emplace(key, MapFont(family, weight, japanese)).first->second;
}

std::shared_ptr<FaceFile> Opened(FontCache& cache, const FontFile& file) {
  const FileKey key{file.path, file.faceIndex};
  if (const auto found = cache.files.find(key); found != cache.files.end()) return found->second;
  if (!cache.library) cache.library = std::make_shared<TrueTypeLibrary>();
  auto opened = std::make_shared<FaceFile>(cache.library, file.path, file.faceIndex);
  cache.files.emplace(key, opened);
  return opened;
}

int AdvanceOfX(FT_Face face, int emPixels, bool embolden) {
  GlyphMetrics x;
  const int advance = LoadGlyphMetrics(face, 'x', embolden, x) ? x.advance : 0;
  return advance > 0 ? advance : std::max(1, emPixels / 2);
}

// What to use when the chosen file carries no sfnt tables (a Type 1 font): the face's own line,
// which is close enough for a font that was never going to match the layout.
TextMetrics MetricsFromRenderer(FT_Face face, int emPixels, bool embolden) {
  const FaceExtent line = RendererExtent(face);
  TextMetrics metrics;
  metrics.ascent = line.ascent;
  metrics.descent = -line.descent;
  metrics.height = metrics.ascent + metrics.descent;
  metrics.averageCharWidth = AdvanceOfX(face, emPixels, embolden);
  return metrics;
}

FontPtr Realise(FontCache& cache, const FontRequest& request) {
  const std::string family = AnsiToUtf8(request.face);
  const int weight = std::clamp(request.weight == 0 ? 400 : request.weight, 1, 1000);
  const FontFile& file = Mapped(cache, family, weight, request.charset == SHIFTJIS_CHARSET);
  const std::shared_ptr<FaceFile> opened = Opened(cache, file);

  const auto& tables = opened->Tables();
  const int emPixels = tables ? EmPixelsForHeight(*tables, request.height) : std::max(1, std::abs(request.height));
  FT_Face face = detail::FaceAtSize(*opened, emPixels);
  // A face that is bold itself is never emboldened again.
  const bool embolden = file.needsEmbolden && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;

  TextMetrics metrics;
  int underlineOffset = 1, underlineThickness = 1;
  if (tables) {
    const ScaledMetrics scaled = ScaleMetrics(*tables, emPixels);
    metrics.ascent = scaled.ascent;
    metrics.descent = scaled.descent;
    metrics.height = scaled.ascent + scaled.descent;
    metrics.averageCharWidth = scaled.averageCharWidth;
    underlineOffset = scaled.underlineOffset;
    underlineThickness = scaled.underlineThickness;
  } else {
    metrics = MetricsFromRenderer(face, emPixels, embolden);
  }
  // The average width is the face's own xAvgCharWidth, as GDI reports it: tab stops, eight of
  // them apart, then fall where they fall on Windows (every 40 pixels in the 12-pixel window font,
  // where "x" alone would give 48). A face that records no average gets the width of "x".
  if (metrics.averageCharWidth <= 0) metrics.averageCharWidth = AdvanceOfX(face, emPixels, embolden);
  return std::make_shared<Font>(opened, emPixels, embolden, metrics, underlineOffset, underlineThickness);
}

}  // namespace

std::map<FontRequest, FontPtr>& detail::RealisedFonts() { return Cache().fonts; }

FontPtr CreateFont(const FontRequest& request) {
  std::map<FontRequest, FontPtr>& fonts = detail::RealisedFonts();
  if (const auto found = fonts.find(request); found != fonts.end()) return found->second;
  FontPtr font = Realise(Cache(), request);
  fonts.emplace(request, font);
  return font;
}

TextMetrics GetTextMetrics(const Font& font) { return font.Metrics(); }

}  // namespace platform
