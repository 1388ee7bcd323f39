// Conversion between code page 932 (the program's own text encoding, Shift-JIS as Windows has it)
// and Unicode. Everything the program stores or draws is code page 932 bytes; only the edges of the
// platform layer (fontconfig names, SDL keyboard text, glyph lookup) speak Unicode.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Decodes code page 932 bytes. A zero byte ends the text. A byte that starts no character, or a
// lead byte without a usable trail byte, becomes U+FFFD; decoding then goes on after it.
std::u32string DecodeAnsi(std::string_view cp932);

// Encodes UTF-8 into code page 932. Each character with no encoding there, and each byte that is
// not valid UTF-8, becomes one "?", as the Windows conversion does.
std::string EncodeAnsi(std::string_view utf8);

// UTF-8 for a decoded text (for fontconfig, which takes UTF-8).
std::string ToUtf8(std::u32string_view text);

}  // namespace platform
