#include "window/XpmIcon.h"

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "window/MainIcon.xpm"

namespace {

// Generous for icons, and small enough that width * height * chars-per-pixel cannot overflow.
constexpr int kMaxSide = 1024, kMaxColors = 65536, kMaxCharsPerPixel = 8;

[[noreturn]] void Fail(const std::string& what) { throw std::invalid_argument("XPM image: " + what); }

// Quotes text for a message, with control and non-ASCII bytes written as \xNN.
std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "'";
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x20 || byte >= 0x7F || ch == '\\') {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += ch;
    }
  }
  return out + "'";
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (true) {
    pos = text.find_first_not_of(" \t", pos);
    if (pos == std::string_view::npos) break;
    const std::size_t end = std::min(text.find_first_of(" \t", pos), text.size());
    words.push_back(text.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

int HeaderNumber(std::string_view word, const char* name, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
  if ((error != std::errc{} && error != std::errc::result_out_of_range) || end != word.data() + word.size())
    Fail(std::string("header ") + name + " " + Quoted(word) + " is not a number");
  if (error == std::errc::result_out_of_range || value < low || value > high)
    Fail(std::string("header ") + name + " " + Quoted(word) + " is outside " + std::to_string(low) + ".." +
         std::to_string(high));
  return value;
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

bool IsNone(std::string_view value) {
  constexpr std::string_view kNone = "none";
  if (value.size() != kNone.size()) return false;
  for (std::size_t i = 0; i < value.size(); ++i)
    if ((value[i] | 0x20) != kNone[i]) return false;
  return true;
}

platform::ColorRef ColorValue(std::string_view value, std::string_view key) {
  if (IsNone(value)) return kTransparentPixel;
  if (value.size() == 7 && value[0] == '#') {
    platform::ColorRef rgb = 0;
    bool hex = true;
    for (std::size_t i = 1; i < 7 && hex; ++i) {
      const int digit = HexDigit(value[i]);
      hex = digit >= 0;
      if (hex) rgb = rgb << 4 | static_cast<platform::ColorRef>(digit);
    }
    if (hex) return (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16;  // RRGGBB -> BBGGRR
  }
  Fail("colour " + Quoted(key) + " has value " + Quoted(value) + "; only #RRGGBB and None are understood");
}

bool IsVisual(std::string_view word) {
  return word == "c" || word == "m" || word == "g4" || word == "g" || word == "s";
}

// The colour for the "c" (colour display) visual; other visuals ("m", "g4", "g", "s") are skipped.
platform::ColorRef ColorOf(std::string_view line, std::size_t cpp) {
  if (line.size() < cpp) Fail("colour line " + Quoted(line) + " is shorter than its key");
  const std::string_view key = line.substr(0, cpp);
  const std::vector<std::string_view> words = Words(line.substr(cpp));
  std::optional<platform::ColorRef> color;
  for (std::size_t i = 0; i < words.size();) {
    if (!IsVisual(words[i]))
      Fail("colour line " + Quoted(line) + " has " + Quoted(words[i]) + " where c, m, g4, g or s belongs");
    std::size_t end = i + 1;
    while (end < words.size() && !IsVisual(words[end])) ++end;
    if (end == i + 1) Fail("colour line " + Quoted(line) + " has no value after " + Quoted(words[i]));
    if (words[i] == "c") {
      // A value may be several words ("light blue"): none of those is understood, but name it whole.
      const char* from = words[i + 1].data();
      const char* to = words[end - 1].data() + words[end - 1].size();
      color = ColorValue(std::string_view(from, static_cast<std::size_t>(to - from)), key);
    }
    i = end;
  }
  if (!color) Fail("colour " + Quoted(key) + " has no c value");
  return *color;
}

// The strings of the image: bounded when the caller knows the array's length.
class Lines {
 public:
  Lines(const char* const* data, std::optional<std::size_t> count) : data_(data), count_(count) {}

  const char* operator[](std::size_t index) const {
    if (count_ && index >= *count_) Fail("missing string " + std::to_string(index) + " of the image");
    if (data_[index] == nullptr) Fail("string " + std::to_string(index) + " is a null pointer");
    return data_[index];
  }

  // Checked before anything past the header is read.
  void ExpectExactly(std::size_t colors, std::size_t rows) const {
    if (!count_ || *count_ == 1 + colors + rows) return;
    if (*count_ < 1 + colors)
      Fail(std::to_string(*count_) + " strings are too few for the header and " + std::to_string(colors) + " colours");
    Fail(std::to_string(*count_ - 1 - colors) + " pixel rows, but the header says " + std::to_string(rows));
  }

 private:
  const char* const* data_;
  std::optional<std::size_t> count_;
};

platform::Icon Parse(const Lines& lines) {
  const std::string_view headerLine = lines[0];
  const std::vector<std::string_view> header = Words(headerLine);
  if (header.size() != 4 && header.size() != 6)
    Fail("header " + Quoted(headerLine) + " is not \"WIDTH HEIGHT NCOLORS CHARS_PER_PIXEL\"");
  const int width = HeaderNumber(header[0], "width", 1, kMaxSide);
  const int height = HeaderNumber(header[1], "height", 1, kMaxSide);
  const auto colors = static_cast<std::size_t>(HeaderNumber(header[2], "colour count", 1, kMaxColors));
  const auto cpp = static_cast<std::size_t>(HeaderNumber(header[3], "characters per pixel", 1, kMaxCharsPerPixel));
  if (header.size() == 6) {
    HeaderNumber(header[4], "hot spot x", 0, width - 1);
    HeaderNumber(header[5], "hot spot y", 0, height - 1);
  }
  lines.ExpectExactly(colors, static_cast<std::size_t>(height));

  std::unordered_map<std::string_view, platform::ColorRef> palette;
  for (std::size_t i = 0; i < colors; ++i) {
    const std::string_view line = lines[1 + i];
    const platform::ColorRef color = ColorOf(line, cpp);
    if (!palette.emplace(line.substr(0, cpp), color).second)
      Fail("colour key " + Quoted(line.substr(0, cpp)) + " is defined twice");
  }

  platform::Icon icon;
  icon.width = width;
  icon.height = height;
  icon.pixels.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const std::size_t rowLength = static_cast<std::size_t>(width) * cpp;
  for (int y = 0; y < height; ++y) {
    // Scanned up to its terminator or one past the expected length, never further.
    const char* row = lines[1 + colors + static_cast<std::size_t>(y)];
    std::size_t length = 0;
    while (length <= rowLength && row[length] != '\0') ++length;
    if (length != rowLength) {
      const std::string found = length < rowLength ? std::to_string(length) : "more than " + std::to_string(rowLength);
      Fail("row " + std::to_string(y) + " is " + found + " characters long, expected " + std::to_string(rowLength));
    }
    for (int x = 0; x < width; ++x) {
      const std::string_view key(row + static_cast<std::size_t>(x) * cpp, cpp);
      const auto entry = palette.find(key);
      if (entry == palette.end())
        Fail("row " + std::to_string(y) + ", column " + std::to_string(x) + ": unknown colour key " + Quoted(key));
      icon.pixels.push_back(entry->second);
    }
  }
  return icon;
}

}  // namespace

platform::Icon IconFromXpm(std::span<const char* const> lines) {
  if (lines.empty()) Fail("no header string");
  return Parse(Lines(lines.data(), lines.size()));
}

platform::Icon IconFromXpm(const char* const* xpm) {
  if (xpm == nullptr) Fail("null image");
  return Parse(Lines(xpm, std::nullopt));
}

const platform::Icon& MainIcon() {
  static const platform::Icon icon = IconFromXpm(std::span<const char* const>(main_icon_xpm));
  return icon;
}
