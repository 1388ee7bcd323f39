#include "window/TForm.h"

#include <algorithm>

#include "window/FormLayout.h"

TForm::TForm(const FormLayout& layout) : TForm(ScaledForDisplay(layout), 0) { layout_ = layout; }

TForm::TForm(const FormLayout& scaled, int)
    : TWindow(platform::CreateWindow(WindowOptionsOf(scaled))),
      clientWidth_(scaled.clientWidth), clientHeight_(scaled.clientHeight) {
  Font = scaled.font;
  color_ = scaled.color;
  for (const LabelLayout& l : scaled.labels) {
    TLabel& label = AddLabel(l.name);
    label.Alignment = l.alignment;
    label.AutoSize = false;  // settles below, once everything else is in place
    label.ParentColor = l.parentColor;
    label.ParentFont = l.parentFont;
    label.SetBounds(l.left, l.top, l.width, l.height);
    label.SetColor(l.parentColor ? color_ : l.color);
    label.SetFont(l.parentFont ? Font : l.font);
    label.SetCaption(l.caption);
    label.AutoSize = l.autoSize;
    if (label.AutoSize) label.AdjustSize();
  }
  HoldSelfSizingLabels(scaled);
}

// A face wider or taller than the layout's, or a scale that rounds against it, can settle a
// caption past the edge of the client area the scaling gave. Only then the window grows, to hold
// every self-sizing caption with the margin the layout left beside its captions.
void TForm::HoldSelfSizingLabels(const FormLayout& scaled) {
  int laidOutRight = 0, laidOutBottom = 0, settledRight = 0, settledBottom = 0;
  for (const LabelLayout& l : scaled.labels) {
    if (!l.autoSize) continue;
    laidOutRight = std::max(laidOutRight, l.left + l.width);
    laidOutBottom = std::max(laidOutBottom, l.top + l.height);
  }
  for (const auto& label : labels_) {
    if (!label->AutoSize) continue;
    settledRight = std::max(settledRight, label->Left() + label->Width());
    settledBottom = std::max(settledBottom, label->Top() + label->Height());
  }
  const auto hold = [](int client, int laidOut, int settled) {
    return settled > client ? settled + std::max(0, client - laidOut) : client;
  };
  const int width = hold(clientWidth_, laidOutRight, settledRight);
  const int height = hold(clientHeight_, laidOutBottom, settledBottom);
  if (width == clientWidth_ && height == clientHeight_) return;
  clientWidth_ = width;
  clientHeight_ = height;
  platform::SetClientSize(Handle(), width, height);
}

// A display of another resolution (a zoom, the window taken to another screen): the window is laid
// out as it would have been built there, and keeps what the program changed since, its captions
// and colours.
void TForm::FollowResolution() {
  const FormLayout scaled = ScaledForDisplay(layout_);
  Font = scaled.font;
  for (std::size_t i = 0; i < labels_.size() && i < scaled.labels.size(); ++i) {
    TLabel& label = *labels_[i];
    const LabelLayout& l = scaled.labels[i];
    const bool autoSize = label.AutoSize;
    label.AutoSize = false;
    label.SetBounds(l.left, l.top, l.width, l.height);
    label.SetFont(label.ParentFont ? Font : l.font);
    label.AutoSize = autoSize;
    if (autoSize) label.AdjustSize();
  }
  clientWidth_ = scaled.clientWidth;
  clientHeight_ = scaled.clientHeight;
  platform::SetClientSize(Handle(), clientWidth_, clientHeight_);
  HoldSelfSizingLabels(scaled);
  platform::InvalidateRect(Handle(), nullptr, true);
}

void TForm::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  platform::InvalidateRect(Handle(), nullptr, true);
  for (const auto& label : labels_) {
    if (label->ParentColor) label->SetColor(color);
  }
}

TLabel& TForm::AddLabel(std::string name) {
  labels_.push_back(std::make_unique<TLabel>(Handle(), std::move(name)));
  return *labels_.back();
}

TLabel* TForm::FindLabel(std::string_view name) const {
  for (const auto& label : labels_) {
    if (label->Name == name) return label.get();
  }
  return nullptr;
}

void TForm::WndProc(const platform::Message& message) {
  switch (message.msg) {
    case platform::Msg::Paint:
      Paint();
      break;
    case platform::Msg::Char: {
      auto key = static_cast<std::uint8_t>(message.wParam);
      if (OnKeyPress) OnKeyPress(key);
      break;
    }
    case platform::Msg::Close:
      if (OnClose) OnClose();
      break;
    case platform::Msg::DpiChanged:
      FollowResolution();
      break;
    default:
      break;
  }
}

// Only what was marked is touched: the erased part gets the window colour, then every label
// that meets the area paints itself over it, later labels over earlier ones.
void TForm::Paint() {
  const platform::PaintArea area = platform::BeginPaint(Handle());
  const platform::ColorRef background = ColorToRGB(color_);
  for (const platform::Rect& update : area.update) {
    platform::Canvas canvas = area.canvas;
    canvas.clip = platform::IntersectRect(canvas.clip, update);
    if (platform::IsRectEmpty(canvas.clip)) continue;
    for (const platform::Rect& erase : area.erase) {
      const platform::Rect r = platform::IntersectRect(erase, canvas.clip);
      if (!platform::IsRectEmpty(r)) canvas.FillRect(r, background);
    }
    for (const auto& label : labels_) {
      if (!platform::IsRectEmpty(platform::IntersectRect(label->BoundsRect(), canvas.clip))) label->Paint(canvas.Within(label->BoundsRect()));
    }
  }
  platform::EndPaint(Handle(), area);
}
