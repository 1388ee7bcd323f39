// fontconfig's configuration with the installed fonts in it, as FcInitLoadConfigAndFonts gives
// it, but never leaving damaged caches behind (see FontIndex.cpp).
#pragma once
#include <fontconfig/fontconfig.h>

namespace platform::detail {

FcConfig* LoadConfigAndFonts();  // null when the configuration cannot be loaded

}  // namespace platform::detail
