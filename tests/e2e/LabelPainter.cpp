#include "e2e/LabelPainter.h"

#include <algorithm>
#include <stdexcept>

#include "platform/HeadlessSession.h"
#include "platform/Testing.h"
#include "Form1Layout.h"

namespace e2e {
namespace {

// Two digits at -29 and some room: enough that "1" cannot pass for "11", and short enough to stay
// clear of the big letter beside LEVEL.
constexpr int kNumberFieldWidth = 40;

// A hidden headless window of the given size, whose frame buffer is drawn on and read back.
class Sheet {
 public:
  Sheet(int width, int height)
      : window_(platform::CreateWindow({"sheet", 0, 0, width, height, true, 0, {}})), width_(width), height_(height) {}
  ~Sheet() { platform::DestroyWindow(window_); }
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  platform::Canvas Canvas() const { return platform::testing::WindowCanvas(window_); }
  Image Pixels() const {
    const platform::Canvas canvas = Canvas();
    Image image{width_, height_, {}};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) image.pixels.push_back(platform::testing::PixelAt(canvas, x, y));
    }
    return image;
  }

 private:
  platform::WindowHandle window_;
  int width_, height_;
};

}  // namespace

LabelPainter& LabelPainter::Get() {
  static LabelPainter painter;
  return painter;
}

LabelPainter::LabelPainter() {
  // Never ended: the tests read colours and paint on it to the end of the run.
  [[maybe_unused]] static const HeadlessSession* const session = new HeadlessSession;
  // The layout as the program builds it on a display like the test server's: 96 pixels per inch.
  form_ = ScaledForDisplay(Form1Layout());
}

const LabelLayout& LabelPainter::Layout(const std::string& label) const {
  for (const LabelLayout& l : form_.labels) {
    if (l.name == label) return l;
  }
  throw std::invalid_argument("no label " + label + " in the layout");
}

TFont LabelPainter::FontOf(const LabelLayout& label) const { return label.parentFont ? form_.font : label.font; }

platform::Rect LabelPainter::Measure(const TFont& font, std::string_view text, unsigned flags) const {
  platform::Rect measured{0, 0, 0, 0};
  platform::Canvas::Screen().DrawText(*font.Handle(), text, measured, flags | platform::DT_CALCRECT, 0);
  return measured;
}

platform::Rect LabelPainter::FieldOf(const std::string& label) const {
  const LabelLayout& l = Layout(label);
  if (!l.autoSize) return {l.left, l.top, l.left + l.width, l.top + l.height};
  if (l.alignment != TAlignment::taRightJustify) throw std::invalid_argument(label + " is not a number display");
  const int anchor = l.left + l.width, height = Measure(FontOf(l), "0", platform::DT_EXPANDTABS).bottom;
  return {std::max(0, anchor - kNumberFieldWidth), l.top, anchor, l.top + height};
}

const Image& LabelPainter::Draw(const std::string& label, std::string_view caption, platform::ColorRef windowColor) {
  const std::string key = label + '\n' + std::string(caption) + '\n' + Hex(windowColor);
  if (const auto found = drawn_.find(key); found != drawn_.end()) return found->second;

  const LabelLayout& l = Layout(label);
  const TFont font = FontOf(l);
  const platform::Rect field = FieldOf(label);
  // A self-sizing label takes its caption's measured size, anchored at its right edge.
  platform::Rect rect{l.left, l.top, l.left + l.width, l.top + l.height};
  if (l.autoSize) {
    const platform::Rect size = Measure(font, caption, platform::DT_EXPANDTABS);
    rect = {rect.right - size.right, rect.top, rect.right, rect.top + size.bottom};
  }
  const int width = field.right - field.left, height = field.bottom - field.top;
  Sheet sheet(width, height);
  const platform::Canvas canvas = sheet.Canvas();
  canvas.FillRect({0, 0, width, height}, windowColor);
  const platform::Canvas inLabel =
      canvas.Within({rect.left - field.left, rect.top - field.top, rect.right - field.left, rect.bottom - field.top});
  platform::Rect box{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  inLabel.FillRect(box, l.parentColor ? windowColor : ColorToRGB(l.color));
  inLabel.DrawText(*font.Handle(), caption, box, platform::DT_EXPANDTABS | AlignmentFlag(l.alignment),
                   ColorToRGB(font.Color));
  return drawn_.emplace(key, sheet.Pixels()).first->second;
}

Image LabelPainter::DrawText(const TFont& font, std::string_view text, unsigned flags, platform::ColorRef background,
                             platform::ColorRef textColor) {
  const platform::Rect size = Measure(font, text, flags);
  Sheet sheet(size.right, size.bottom);
  const platform::Canvas canvas = sheet.Canvas();
  platform::Rect box = size;
  canvas.FillRect(box, background);
  canvas.DrawText(*font.Handle(), text, box, flags, textColor);
  return sheet.Pixels();
}

Difference CompareLabel(const Image& client, const std::string& label, std::string_view caption,
                        platform::ColorRef windowColor) {
  LabelPainter& painter = LabelPainter::Get();
  return Compare(client.Crop(painter.FieldOf(label)), painter.Draw(label, caption, windowColor));
}

std::optional<std::string> ShownCaption(const Image& client, const std::string& label,
                                        const std::vector<std::string>& candidates, platform::ColorRef windowColor,
                                        int channelTolerance) {
  for (const std::string& caption : candidates) {
    if (CompareLabel(client, label, caption, windowColor).SameWithin(channelTolerance)) return caption;
  }
  return std::nullopt;
}

std::optional<std::pair<int, int>> Find(const Image& whole, const Image& part) {
  for (int top = 0; top + part.height <= whole.height; ++top) {
    for (int left = 0; left + part.width <= whole.width; ++left) {
      bool same = true;
      for (int y = 0; y < part.height && same; ++y) {
        for (int x = 0; x < part.width && same; ++x) same = whole.At(left + x, top + y) == part.At(x, y);
      }
      if (same) return std::pair{left, top};
    }
  }
  return std::nullopt;
}

}  // namespace e2e
