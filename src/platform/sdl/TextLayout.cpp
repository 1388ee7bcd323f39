#include "platform/sdl/TextLayout.h"

#include "platform/sdl/CodePage.h"

namespace platform {

TextLayout LayOutText(const Font& font, std::string_view text, unsigned flags) {
  return LayOutCharacters(font.Metrics(), [&font](char32_t c) { return font.Advance(c); }, DecodeAnsi(text), flags);
}

}  // namespace platform
