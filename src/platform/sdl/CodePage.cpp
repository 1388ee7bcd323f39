#include "platform/sdl/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <stdexcept>

#include "platform/Platform.h"

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Opening a conversion loads a gconv module, so each direction is opened once per thread and kept.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw PlatformError(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of [in, in+inLeft) as it can, appending to out. Returns 0 when everything
  // was converted, otherwise the errno that stopped it (EILSEQ or EINVAL) with `in`/`inLeft`
  // pointing at the offending input.
  int Convert(const char*& in, std::size_t& inLeft, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // fresh shift state for every run
    char buffer[256];
    while (inLeft > 0) {
      char* outPtr = buffer;
      std::size_t outLeft = sizeof buffer;
      const std::size_t result = iconv(cd_, const_cast<char**>(&in), &inLeft, &outPtr, &outLeft);
      const int error = result == static_cast<std::size_t>(-1) ? errno : 0;
      out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
      if (error != 0 && error != E2BIG) return error;
    }
    return 0;
  }

 private:
  iconv_t cd_;
};

Converter& FromCp932() {
  thread_local Converter converter("UTF-32LE", "CP932");
  return converter;
}

Converter& FromUtf32() {
  thread_local Converter converter("UTF-8", "UTF-32LE");
  return converter;
}

Converter& ToCp932() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

void AppendUtf32Le(const std::string& bytes, std::u32string& out) {
  for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
    const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(bytes[i + k])); };
    out.push_back(b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24);
  }
}

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Length of the well-formed UTF-8 sequence at the start of s, or, when it is broken, of the
// longest start of one (at least one byte): a broken sequence stands for one lost character.
// Overlong forms, surrogates and values past U+10FFFF are broken from their first byte.
std::size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char c = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (c >= 0xC2 && c <= 0xDF) length = 2;
  else if (c >= 0xE0 && c <= 0xEF) { length = 3; if (c == 0xE0) low = 0xA0; if (c == 0xED) high = 0x9F; }
  else if (c >= 0xF0 && c <= 0xF4) { length = 4; if (c == 0xF0) low = 0x90; if (c == 0xF4) high = 0x8F; }
  else return 1;
  std::size_t i = 1;
  for (; i < length && i < s.size(); ++i) {
    const unsigned char from = i == 1 ? low : 0x80, to = i == 1 ? high : 0xBF;
    if (byte(i) < from || byte(i) > to) break;
  }
  return i;
}

}  // namespace

std::u32string DecodeAnsi(std::string_view cp932) {
  cp932 = cp932.substr(0, cp932.find('\0'));
  std::u32string text;
  std::string utf32;
  const char* in = cp932.data();
  std::size_t inLeft = cp932.size();
  while (inLeft > 0) {
    const int stopped = FromCp932().Convert(in, inLeft, utf32);
    if (stopped == 0) break;
    // A well-formed pair that has no character is still one character wide; anything else
    // loses only its first byte so that a following ASCII byte survives.
    const auto lead = static_cast<unsigned char>(in[0]);
    const std::size_t skip = (inLeft >= 2 && IsDBCSLeadByte(lead) && IsTrailByte(static_cast<unsigned char>(in[1]))) ? 2 : 1;
    AppendUtf32Le(utf32, text);
    utf32.clear();
    text.push_back(kReplacement);
    in += skip;
    inLeft -= skip;
  }
  AppendUtf32Le(utf32, text);
  return text;
}

std::string EncodeAnsi(std::string_view utf8) {
  std::string encoded;
  const char* in = utf8.data();
  std::size_t inLeft = utf8.size();
  while (inLeft > 0) {
    const int stopped = ToCp932().Convert(in, inLeft, encoded);
    if (stopped == 0) break;
    const std::size_t skip = Utf8SequenceLength(std::string_view(in, inLeft));
    encoded.push_back('?');
    in += skip;
    inLeft -= skip;
  }
  return encoded;
}

std::string ToUtf8(std::u32string_view text) {
  std::string utf32;
  for (char32_t c : text) {
    for (int shift = 0; shift < 32; shift += 8) utf32.push_back(static_cast<char>(c >> shift & 0xFF));
  }
  std::string out;
  const char* in = utf32.data();
  std::size_t inLeft = utf32.size();
  // A surrogate or a value past U+10FFFF is no character: it becomes U+FFFD.
  while (inLeft > 0 && FromUtf32().Convert(in, inLeft, out) != 0) {
    out += "\xEF\xBF\xBD";
    in += 4;
    inLeft -= 4;
  }
  return out;
}

std::string AnsiToUtf8(std::string_view cp932) { return ToUtf8(DecodeAnsi(cp932)); }

}  // namespace platform
