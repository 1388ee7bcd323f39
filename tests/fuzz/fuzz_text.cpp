// The text path from arbitrary code page 932 bytes: measuring and drawing them in a label's
// fonts and flags, and the code page conversion both ways. The first byte picks the font and
// the flags; the rest is the text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/HeadlessSession.h"
#include "platform/sdl/CodePage.h"
#include "platform/Platform.h"
#include "platform/Testing.h"

namespace {

platform::WindowHandle window = 0;

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  [[maybe_unused]] static const HeadlessSession* const session = new HeadlessSession;  // for the whole run
  window = platform::CreateWindow({"QUILLET", 0, 0, 212, 212, true, 0, {}});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const int heights[] = {-12, -16, -24, -37, -96, 12, 0, -1};
  const unsigned flags[] = {platform::DT_LEFT, platform::DT_CENTER, platform::DT_RIGHT, platform::DT_LEFT};
  const platform::FontPtr font = platform::CreateFont(
      {"\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E", heights[data[0] & 7], data[0] & 8 ? 700 : 400, 128});
  const unsigned flag = flags[(data[0] >> 4) & 3] | (data[0] & 0x40 ? platform::DT_EXPANDTABS : 0u) |
                        (data[0] & 0x80 ? platform::DT_NOPREFIX : 0u);

  platform::Rect measured{0, 0, 0, 0};
  platform::Canvas::Screen().DrawText(*font, text, measured, flag | platform::DT_CALCRECT, 0);
  if (measured.right < 0 || measured.bottom < 0) Fail("a negative measured size");
  platform::Rect box{-20, 5, 190, 60};
  platform::testing::WindowCanvas(window).Within({16, 104, 201, 141}).DrawText(*font, text, box, flag, 0x00FF0000);

  // Whatever the bytes, decoding and encoding again gives the same characters, those that
  // cannot be decoded having become "?".
  std::u32string decoded = platform::DecodeAnsi(text);
  const std::string again = platform::EncodeAnsi(platform::ToUtf8(decoded));
  for (char32_t& c : decoded) c = c == 0xFFFD ? U'?' : c;
  if (platform::DecodeAnsi(again) != decoded) Fail("code page 932 does not survive a round trip");
  platform::EncodeAnsi(std::string_view(reinterpret_cast<const char*>(data), size));  // bytes taken as UTF-8
  return 0;
}
