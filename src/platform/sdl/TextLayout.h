// Where each character of a text goes in a font of this backend, worked out once for both
// measuring and drawing so that a measured rectangle is exactly the one the drawing fills.
#pragma once
#include <string_view>

#include "platform/TextLayout.h"
#include "platform/sdl/Font.h"

namespace platform {

// Code page 932 text, up to its first zero byte, laid out by the shared rules.
TextLayout LayOutText(const Font& font, std::string_view text, unsigned flags);

}  // namespace platform
