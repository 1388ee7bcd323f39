// Fonts by the layout's face, height, weight and character set, mapped by the system as for any
// Windows program. A font is made once per request and shared.
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include "platform/FailurePlans.h"
#include "platform/win32/Font.h"

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
  const int size = WideCharToMultiByte(CP_UTF8, 0, face.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;  // no name to give: the face stays unnamed
  face_.resize(static_cast<std::size_t>(size));
  WideCharToMultiByte(CP_UTF8, 0, face.c_str(), -1, face_.data(), size, nullptr, nullptr);
  face_.resize(face_.find('\0'));
}

Font::~Font() { DeleteObject(handle_); }

FontPtr CreateFont(const FontRequest& request) {
  static std::map<std::tuple<std::string, int, int, int>, FontPtr> made;
  const auto key = std::make_tuple(request.face, request.height, request.weight, request.charset);
  if (const auto found = made.find(key); found != made.end()) return found->second;

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
  const HFONT handle = detail::TakeInjectedFailure(testing::Failure::FontOpen) ? nullptr : CreateFontIndirectW(&logical);
  if (!handle) win32::Fail("CreateFontIndirect");
  return made.emplace(key, std::make_shared<const Font>(handle)).first->second;
}

TextMetrics GetTextMetrics(const Font& font) { return font.Metrics(); }

std::string FontFileOf(const Font& font) { return font.Face(); }

}  // namespace platform
