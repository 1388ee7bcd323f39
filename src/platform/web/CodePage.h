// Code page 932 on the page: the browser's own decoder, which decodes it exactly.
#pragma once
#include <string>
#include <string_view>

namespace platform::detail {

// Code page 932 bytes, up to the first zero.
std::u32string DecodeAnsi(std::string_view cp932);

}  // namespace platform::detail
