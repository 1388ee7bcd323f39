#include "platform/TextLayout.h"

#include <algorithm>
#include <utility>

namespace platform {
namespace {

constexpr char32_t kTab = U'\t', kCarriageReturn = U'\r', kLineFeed = U'\n', kPrefix = U'&';
constexpr int kTabStopInAverageWidths = 8;

bool IsLineBreak(char32_t c) { return c == kCarriageReturn || c == kLineFeed; }

class LineBuilder {
 public:
  LineBuilder(const TextMetrics& metrics, const std::function<int(char32_t)>& advance, unsigned flags)
      : advance_(advance), expandTabs_((flags & DT_EXPANDTABS) != 0),
        tabWidth_(kTabStopInAverageWidths * metrics.averageCharWidth) {}

  void Add(char32_t c, bool underlined) {
    int advance = 0;
    if (c == kTab && expandTabs_) {
      advance = tabWidth_ > 0 ? (line_.width / tabWidth_ + 1) * tabWidth_ - line_.width : 0;
    } else {
      advance = advance_(c);
      line_.glyphs.push_back({c, line_.width});
    }
    if (underlined) line_.underlines.push_back({line_.width, advance});
    line_.width += advance;
  }

  TextLine Finish() { return std::exchange(line_, TextLine{}); }

 private:
  const std::function<int(char32_t)>& advance_;
  bool expandTabs_;
  int tabWidth_;
  TextLine line_;
};

}  // namespace

TextLayout LayOutCharacters(const TextMetrics& metrics, const std::function<int(char32_t)>& advance,
                            std::u32string_view text, unsigned flags) {
  const std::u32string_view characters = text.substr(0, std::min(text.size(), text.find(U'\0')));
  const bool prefixes = (flags & DT_NOPREFIX) == 0;
  TextLayout layout;
  layout.lineHeight = metrics.height;
  LineBuilder line(metrics, advance, flags);
  bool endsWithBreak = false;

  for (std::size_t i = 0; i < characters.size(); ++i) {
    const char32_t c = characters[i];
    if (IsLineBreak(c)) {
      if (c == kCarriageReturn && i + 1 < characters.size() && characters[i + 1] == kLineFeed) ++i;
      layout.lines.push_back(line.Finish());
      endsWithBreak = i + 1 == characters.size();
      continue;
    }
    if (prefixes && c == kPrefix) {
      const bool hasNext = i + 1 < characters.size() && !IsLineBreak(characters[i + 1]);
      if (!hasNext) continue;  // a lone "&" before a break or at the end shows nothing
      const char32_t next = characters[++i];
      line.Add(next, next != kPrefix);
      continue;
    }
    line.Add(c, false);
  }
  if (!endsWithBreak) layout.lines.push_back(line.Finish());
  for (const TextLine& each : layout.lines) layout.width = std::max(layout.width, each.width);
  return layout;
}

int LineLeft(const Rect& r, int lineWidth, unsigned flags) {
  const int width = r.right - r.left;
  if ((flags & DT_CENTER) != 0) return r.left + (width - lineWidth) / 2;
  if ((flags & DT_RIGHT) != 0) return r.right - lineWidth;
  return r.left;
}

}  // namespace platform
