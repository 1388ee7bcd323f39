// CreateFont and the font queries: logical fonts are realised once per distinct request and
// shared, as the same face at the same size is asked for by many labels.
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "platform/CodePage.h"
#include "platform/Font.h"
#include "platform/FontMapper.h"
#include "platform/InjectedFailures.h"
#include "platform/OpenTypeMetrics.h"
#include "platform/Platform.h"

namespace platform {

// SDL_ttf is started with the first font and stopped after the last one is closed.
class TrueTypeLibrary {
 public:
  TrueTypeLibrary() {
    if (TTF_Init() != 0) throw PlatformError(std::string("Cannot start the font renderer: ") + TTF_GetError());
  }
  ~TrueTypeLibrary() { TTF_Quit(); }
  TrueTypeLibrary(const TrueTypeLibrary&) = delete;
  TrueTypeLibrary& operator=(const TrueTypeLibrary&) = delete;
};

namespace {

constexpr int kShiftJisCharset = 128;

using FontKey = std::tuple<std::string, int, int, int>;

struct FontCache {
  // Declared first so that it is released last, after every cached font has closed its face.
  std::shared_ptr<TrueTypeLibrary> library;
  std::map<FontKey, FontPtr> fonts;
};

FontCache& Cache() {
  static FontCache cache;
  return cache;
}

int AdvanceOfX(TTF_Font* face, int emPixels) {
  int minX = 0, maxX = 0, minY = 0, maxY = 0, advance = 0;
  TTF_GlyphMetrics32(face, 'x', &minX, &maxX, &minY, &maxY, &advance);
  return advance > 0 ? advance : std::max(1, emPixels / 2);
}

// What to use when the chosen file carries no sfnt tables (a Type 1 or bitmap font): SDL_ttf's
// own figures, which are close enough for a font that was never going to match the layout.
TextMetrics MetricsFromRenderer(TTF_Font* face, int emPixels) {
  TextMetrics metrics;
  metrics.ascent = TTF_FontAscent(face);
  metrics.descent = -TTF_FontDescent(face);
  metrics.height = metrics.ascent + metrics.descent;
  metrics.averageCharWidth = AdvanceOfX(face, emPixels);
  return metrics;
}

FontPtr Realise(const FontRequest& request, std::shared_ptr<TrueTypeLibrary> library) {
  const std::string family = AnsiToUtf8(request.face);
  const int weight = std::clamp(request.weight == 0 ? 400 : request.weight, 1, 1000);
  const FontFile file = MapFont(family, weight, request.charset == kShiftJisCharset);

  const auto tables = ReadOpenTypeMetrics(file.path, file.faceIndex);
  // SDL_ttf sizes in points at 72 dpi, so a point size equal to the em size in pixels is exact.
  const int emPixels = tables ? EmPixelsForHeight(*tables, request.height) : std::max(1, std::abs(request.height));
  TTF_Font* face = detail::Refused(testing::Failure::FontOpen)
                       ? nullptr
                       : TTF_OpenFontIndex(file.path.c_str(), emPixels, file.faceIndex);
  if (face == nullptr) {
    throw PlatformError("Cannot open the font file " + file.path + ": " + TTF_GetError());
  }
  if (file.needsEmbolden) TTF_SetFontStyle(face, TTF_STYLE_BOLD);

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
    metrics = MetricsFromRenderer(face, emPixels);
  }
  // The average width is the face's own xAvgCharWidth, as GDI reports it: tab stops, eight of
  // them apart, then fall where they fall on Windows (every 40 pixels in the 12-pixel window font,
  // where "x" alone would give 48). A face that records no average gets the width of "x".
  if (metrics.averageCharWidth <= 0) metrics.averageCharWidth = AdvanceOfX(face, emPixels);
  return std::make_shared<Font>(std::move(library), face, file.path, metrics, underlineOffset, underlineThickness);
}

}  // namespace

FontPtr CreateFont(const FontRequest& request) {
  FontCache& cache = Cache();
  const FontKey key{request.face, request.height, request.weight, request.charset};
  if (const auto found = cache.fonts.find(key); found != cache.fonts.end()) return found->second;
  if (!cache.library) cache.library = std::make_shared<TrueTypeLibrary>();
  FontPtr font = Realise(request, cache.library);
  cache.fonts.emplace(key, font);
  return font;
}

std::size_t detail::OpenFontCount() { return Cache().fonts.size(); }

TextMetrics GetTextMetrics(const Font& font) { return font.Metrics(); }

std::string FontFileOf(const Font& font) { return font.File(); }

}  // namespace platform
