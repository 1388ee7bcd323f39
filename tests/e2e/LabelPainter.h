// What the window should look like, drawn by the program's own text services on the headless
// platform inside the test process: a label showing a caption, or a line of text. A screenshot
// of the real program is compared with these pictures to read what it shows.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/Image.h"
#include "window/FormLayout.h"

namespace e2e {

class LabelPainter {
 public:
  static LabelPainter& Get();  // starts the headless platform on first use

  // The part of the client area where a label is looked for. A fixed label's own rectangle; for
  // a self-sizing number display, a strip wide enough for several digits, ending at its anchor,
  // so that "1" cannot pass for the right half of "11".
  platform::Rect FieldOf(const std::string& label) const;
  // The field as the window shows it with the label showing `caption`.
  const Image& Draw(const std::string& label, std::string_view caption, platform::ColorRef windowColor);

  // One line of text as the program draws it, on a background of its own.
  Image DrawText(const TFont& font, std::string_view text, unsigned flags, platform::ColorRef background,
                 platform::ColorRef textColor);

 private:
  LabelPainter();
  const LabelLayout& Layout(const std::string& label) const;
  TFont FontOf(const LabelLayout& label) const;
  platform::Rect Measure(const TFont& font, std::string_view text, unsigned flags) const;

  FormLayout form_;
  std::map<std::string, Image> drawn_;
};

// The caption among `candidates` that the label shows in the screenshot of the client area.
std::optional<std::string> ShownCaption(const Image& client, const std::string& label,
                                        const std::vector<std::string>& candidates, platform::ColorRef windowColor,
                                        int channelTolerance = 0);
// How the label's field differs from showing `caption`; Same() when it shows exactly that.
Difference CompareLabel(const Image& client, const std::string& label, std::string_view caption,
                        platform::ColorRef windowColor);
// Where `part` appears, pixel for pixel, inside `whole`.
std::optional<std::pair<int, int>> Find(const Image& whole, const Image& part);

}  // namespace e2e
