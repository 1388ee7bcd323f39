// Fonts by the layout's face, height, weight and character set, mapped by the system as for any
// Windows program. A font is made once per request and shared.
#include <cstdint>
#include <map>
#include <vector>

#include "platform/win32/Font.h"
#include "platform/win32/SystemCalls.h"

namespace platform {

namespace win32 {

HDC MeasuringDc() {
  static const HDC dc = [] {
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!memory) Fail("CreateCompatibleDC");
    return memory;
  }();
  return dc;
}

}  // namespace win32

Font::Font(HFONT handle) : handle_(handle) {
  const HDC dc = win32::MeasuringDc();
  const HGDIOBJ previous = SelectObject(dc, handle_);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  metrics_ = {tm.tmHeight, tm.tmAscent, tm.tmDescent, tm.tmAveCharWidth};
  // The face actually used: GetTextFace would answer with the name asked for, even when the
  // system's font substitutes put another face in its place.
  std::wstring face;
  if (const UINT size = GetOutlineTextMetricsW(dc, 0, nullptr)) {
    std::vector<char> buffer(size);
    auto* outline = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (GetOutlineTextMetricsW(dc, size, outline)) {
      face = reinterpret_cast<const wchar_t*>(buffer.data() + reinterpret_cast<std::uintptr_t>(outline->otmpFaceName));
    }
  }
  SelectObject(dc, previous);
  face_ = win32::Utf8(face);
}

Font::~Font() { DeleteObject(handle_); }

FontPtr CreateFont(const FontRequest& request) {
  static std::map<FontRequest, FontPtr> made;
  if (const auto found = made.find(request); found != made.end()) return found->second;

  const std::wstring face = win32::Widen(request.face);
  LOGFONTW logical{};
  logical.lfHeight = request.height;
  logical.lfWeight = request.weight;
  logical.lfCharSet = static_cast<BYTE>(request.charset);
  logical.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logical.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logical.lfQuality = DEFAULT_QUALITY;
  logical.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  face.copy(logical.lfFaceName, LF_FACESIZE - 1);
  const HFONT handle = win32::NewFont(logical);
  if (!handle) win32::Fail("CreateFontIndirect");
  return made.emplace(request, std::make_shared<const Font>(handle)).first->second;
}

TextMetrics GetTextMetrics(const Font& font) { return font.Metrics(); }

}  // namespace platform
