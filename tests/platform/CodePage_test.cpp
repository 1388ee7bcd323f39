#include "platform/sdl/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

using namespace std::string_literals;

const std::string kTimerRefused = "\xC0\xB2\xCF\xB0\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

struct DecodeCase {
  const char* name;
  std::string cp932;
  std::u32string expected;
};

TEST(CodePage, DecodesShiftJisAsWindowsDoes) {
  const DecodeCase cases[] = {
      {"ascii keeps backslash and tilde", "a\\~Z", U"a\\~Z"},
      {"half-width katakana and kanji", kTimerRefused, U"ﾀｲﾏｰを取得できません"},
      {"katakana range ends", "\xA1\xDF", U"\uFF61\uFF9F"},
      {"trail byte in the ascii range", "\x95\x5C", U"表"},
      {"zero byte ends the text", "AB\0CD"s, U"AB"},
      {"lone lead byte at the end", "A\x82", U"A\uFFFD"},
      {"lead byte before a blank keeps the blank", "\x82 B", U"\uFFFD B"},
      {"unassigned pair is one character", "\x85\x40X", U"\uFFFDX"},
      {"empty", "", U""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeAnsi(c.cp932), c.expected) << c.name;
  }
}

struct EncodeCase {
  const char* name;
  std::string utf8;
  std::string expected;
};

TEST(CodePage, EncodesToShiftJisWithOneQuestionMarkPerLostCharacter) {
  const EncodeCase cases[] = {
      {"ascii", "Hello &\t\r\n", "Hello &\t\r\n"},
      {"katakana and kanji", "ﾀｲﾏｰを取得できません", kTimerRefused},
      {"euro sign has no encoding", "a\u20ACb", "a?b"},
      {"latin letter with accent", "caf\u00E9", "caf?"},
      {"four-byte character is one question mark", "x\U0001F600y", "x?y"},
      {"invalid byte", "a\xFF" "b", "a?b"},
      {"truncated sequence at the end", "a\xE3\x81", "a?"},
      {"broken sequence before ascii", "\xE3\x81" "b\xC3", "?b?"},
      {"encoded surrogate is not utf-8", "\xED\xA0\x80", "???"},
      {"several lost in a row", "\u20AC\u20AC", "??"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeAnsi(c.utf8), c.expected) << c.name;
  }
}

TEST(CodePage, EverySingleByteCharacterSurvivesARoundTrip) {
  for (int byte = 1; byte < 0x80; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    EXPECT_EQ(EncodeAnsi(ToUtf8(DecodeAnsi(text))), text) << "byte " << byte;
  }
  for (int byte = 0xA1; byte <= 0xDF; ++byte) {
    const std::string text(1, static_cast<char>(byte));
    EXPECT_EQ(EncodeAnsi(ToUtf8(DecodeAnsi(text))), text) << "byte " << byte;
  }
  EXPECT_EQ(EncodeAnsi(ToUtf8(DecodeAnsi(kTimerRefused))), kTimerRefused);
}

TEST(CodePage, LongTextsConvertCompletely) {
  std::string longText;
  for (int i = 0; i < 500; ++i) longText += kTimerRefused;
  const std::u32string decoded = DecodeAnsi(longText);
  EXPECT_EQ(decoded.size(), 500u * 12u);
  EXPECT_EQ(EncodeAnsi(ToUtf8(decoded)), longText);
}

}  // namespace
}  // namespace platform
