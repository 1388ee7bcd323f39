// CreateFont and the font queries. The page carries one face, the window face, cut down to what
// the program can show; every request is realised in it, at the em size the request's height
// gives, and each distinct request once.
#include <emscripten/emscripten.h>

#include <map>

#include "platform/FontScaling.h"
#include "platform/web/Font.h"
#include "platform/web/SystemCalls.h"

// [unitsPerEm, winAscent, winDescent, averageCharWidth, underlinePosition, underlineThickness]
EM_JS(void, quillet_face_metrics, (int* out), {
  const face = QuilletFace;
  const values = [ face.unitsPerEm, face.winAscent, face.winDescent, face.averageCharWidth, face.underlinePosition,
                   face.underlineThickness ];
  values.forEach((value, i) => { HEAP32[(out >> 2) + i] = value; });
});

EM_JS(int, quillet_advance, (int em, bool bold, int c), { return QuilletPage.advance(em, bold, String.fromCodePoint(c)); });

EM_JS(void, quillet_face_file, (char* out, int size), { stringToUTF8(QuilletFace.file + ' (in the page)', out, size); });

namespace platform {

std::string detail::FaceFile() {
  char named[256] = "";
  quillet_face_file(named, sizeof named);
  return named;
}

namespace {

constexpr int kBold = 600;  // from semibold up, as Windows' font mapper rounds weights

const OpenTypeMetrics& WindowFace() {
  static const OpenTypeMetrics face = [] {
    int values[6] = {};
    quillet_face_metrics(values);
    return OpenTypeMetrics{values[0], values[1], values[2], values[3], values[4], values[5]};
  }();
  return face;
}

FontPtr Realise(const FontRequest& request) {
  const OpenTypeMetrics& face = WindowFace();
  if (face.unitsPerEm <= 0) throw PlatformError("the page carries no usable window face");
  detail::MayOpenFont(detail::FaceFile());
  const int em = EmPixelsForHeight(face, request.height);
  const ScaledMetrics scaled = ScaleMetrics(face, em);
  TextMetrics metrics;
  metrics.ascent = scaled.ascent;
  metrics.descent = scaled.descent;
  metrics.height = scaled.ascent + scaled.descent;
  metrics.averageCharWidth = scaled.averageCharWidth;
  return std::make_shared<Font>(em, request.weight >= kBold, metrics, scaled.underlineOffset, scaled.underlineThickness);
}

}  // namespace

Font::Font(int emPixels, bool bold, const TextMetrics& metrics, int underlineOffset, int underlineThickness)
    : emPixels_(emPixels), bold_(bold), metrics_(metrics), underlineOffset_(underlineOffset), underlineThickness_(underlineThickness) {}

int Font::Advance(char32_t c) const {
  if (const auto found = advances_.find(c); found != advances_.end()) return found->second;
  const int advance = quillet_advance(emPixels_, bold_, static_cast<int>(c));
  advances_.emplace(c, advance);
  return advance;
}

FontPtr CreateFont(const FontRequest& request) {
  static std::map<FontRequest, FontPtr> fonts;
  if (const auto found = fonts.find(request); found != fonts.end()) return found->second;
  FontPtr font = Realise(request);
  fonts.emplace(request, font);
  return font;
}

TextMetrics GetTextMetrics(const Font& font) { return font.Metrics(); }

}  // namespace platform
