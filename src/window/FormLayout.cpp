#include "window/FormLayout.h"


int MeasureTextHeight(const TFont& font) {
  platform::Rect r{0, 0, 0, 0};
  platform::Canvas::Screen().DrawText(*font.Handle(), "0", r, platform::DT_CALCRECT, 0);
  return r.bottom;
}

FormLayout ScaleLayout(const FormLayout& layout, int resolution, const std::function<int(const TFont&)>& measure) {
  FormLayout scaled = layout;
  if (resolution != layout.pixelsPerInch) {
    scaled.font.Height = platform::MulDiv(layout.font.Height, resolution, layout.pixelsPerInch);
  }
  const int measured = measure(scaled.font);
  scaled.pixelsPerInch = resolution;
  scaled.textHeight = measured;
  if (measured == layout.textHeight) return scaled;

  const auto scale = [&](int value) { return platform::MulDiv(value, measured, layout.textHeight); };
  for (LabelLayout& label : scaled.labels) {
    const int right = scale(label.left + label.width), bottom = scale(label.top + label.height);
    label.left = scale(label.left);
    label.top = scale(label.top);
    label.width = right - label.left;
    label.height = bottom - label.top;
    if (!label.parentFont) {
      // Through whole points, as the font's size is kept: -29 px at 96 ppi is 22 pt, not 21.75.
      const int points = platform::MulDiv(-label.font.Height, 72, resolution);
      label.font.Height = -platform::MulDiv(scale(points), resolution, 72);
    }
  }
  scaled.clientWidth = scale(layout.clientWidth);
  scaled.clientHeight = scale(layout.clientHeight);
  return scaled;
}

FormLayout ScaledForDisplay(const FormLayout& layout) {
  return ScaleLayout(layout, platform::LogicalResolution(), MeasureTextHeight);
}

platform::WindowOptions WindowOptionsOf(const FormLayout& layout) {
  platform::WindowOptions options;
  options.title = layout.caption;
  options.left = layout.left;
  options.top = layout.top;
  options.clientWidth = layout.clientWidth;
  options.clientHeight = layout.clientHeight;
  options.minimizable = true;
  options.icon = layout.icon;
  return options;
}
