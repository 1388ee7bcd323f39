// CreateFont and the font queries. The page carries one face, the window face, cut down to what
// the program can show; every request is realised in it, at the em size the request's height
// gives, and each distinct request once.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <map>

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

struct Face {
  int unitsPerEm = 0, winAscent = 0, winDescent = 0, averageCharWidth = 0, underlinePosition = 0, underlineThickness = 0;
};

const Face& WindowFace() {
  static const Face face = [] {
    int values[6] = {};
    quillet_face_metrics(values);
    return Face{values[0], values[1], values[2], values[3], values[4], values[5]};
  }();
  return face;
}

// Negative is the em size itself, positive is the height of the whole cell, 0 the default 12.
int EmPixelsForHeight(const Face& face, int height) {
  if (height < 0) return -height;
  if (height == 0) return 12;
  return std::max(1, MulDiv(height, face.unitsPerEm, face.winAscent + face.winDescent));
}

FontPtr Realise(const FontRequest& request) {
  const Face& face = WindowFace();
  if (face.unitsPerEm <= 0) throw PlatformError("the page carries no usable window face");
  detail::MayOpenFont(detail::FaceFile());
  const int em = EmPixelsForHeight(face, request.height);
  // Each rounded half away from zero, as the Windows rasteriser does.
  const auto scale = [&](int units) { return MulDiv(units, em, face.unitsPerEm); };
  TextMetrics metrics;
  metrics.ascent = scale(face.winAscent);
  metrics.descent = scale(face.winDescent);
  metrics.height = metrics.ascent + metrics.descent;
  metrics.averageCharWidth = scale(face.averageCharWidth);
  const int thickness = std::max(1, scale(face.underlineThickness));
  const int offset = std::clamp(scale(-face.underlinePosition), 1, std::max(1, metrics.descent - thickness));
  return std::make_shared<Font>(em, request.weight >= kBold, metrics, offset, thickness);
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
