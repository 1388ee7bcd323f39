#include "platform/web/CodePage.h"

#include <emscripten/emscripten.h>

#include "platform/Platform.h"

EM_JS(int, quillet_decode, (const char* bytes, int length, char32_t* out), {
  const text = QuilletPage.decode(HEAPU8.subarray(bytes, bytes + length));
  let count = 0;
  for (const c of text) HEAPU32[(out >> 2) + count++] = c.codePointAt(0);
  return count;
});

// The UTF-8 of code page 932 bytes, by the browser's decoder and emscripten's encoder: its length,
// then the bytes themselves into `out`, which has room for them and a closing zero.
EM_JS(int, quillet_utf8_length, (const char* bytes, int length), {
  return lengthBytesUTF8(QuilletPage.decode(HEAPU8.subarray(bytes, bytes + length)));
});
EM_JS(void, quillet_decode_utf8, (const char* bytes, int length, char* out, int room), {
  stringToUTF8(QuilletPage.decode(HEAPU8.subarray(bytes, bytes + length)), out, room);
});

namespace platform {

std::u32string detail::DecodeAnsi(std::string_view cp932) {
  cp932 = cp932.substr(0, cp932.find('\0'));
  std::u32string decoded(cp932.size(), U'\0');  // never more characters than bytes
  decoded.resize(static_cast<std::size_t>(quillet_decode(cp932.data(), static_cast<int>(cp932.size()), decoded.data())));
  return decoded;
}

std::string AnsiToUtf8(std::string_view cp932) {
  cp932 = cp932.substr(0, cp932.find('\0'));
  const int length = static_cast<int>(cp932.size());
  std::string utf8(static_cast<std::size_t>(quillet_utf8_length(cp932.data(), length)), '\0');
  quillet_decode_utf8(cp932.data(), length, utf8.data(), static_cast<int>(utf8.size()) + 1);
  return utf8;
}

}  // namespace platform
