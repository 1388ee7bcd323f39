// A top-level window with labels on it. It paints its background in its own colour and its
// labels over it, in the order they were added, and hands typed characters to OnKeyPress.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "window/Colors.h"
#include "window/FormLayout.h"
#include "window/TFont.h"
#include "window/TLabel.h"
#include "window/TWindow.h"

class TForm : public TWindow {
 public:
  // Builds the window and its labels from a layout, scaled for the display, before OnCreate; lays
  // it out again when the display's resolution changes.
  explicit TForm(const FormLayout& layout);

  TColor Color() const { return color_; }
  void SetColor(TColor color);  // reaches every ParentColor label, in order
  TFont Font;                   // the font of labels with ParentFont

  TLabel& AddLabel(std::string name);
  const std::vector<std::unique_ptr<TLabel>>& Labels() const { return labels_; }
  TLabel* FindLabel(std::string_view name) const;

  void Show() { platform::ShowWindow(Handle(), platform::Show::Normal); }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  std::function<void()> OnCreate;
  std::function<void(std::uint8_t& key)> OnKeyPress;  // Key by reference: 0 swallows it
  std::function<void()> OnClose;                      // the application ends when its main form closes

  void WndProc(const platform::Message& message) override;

 private:
  TForm(const FormLayout& scaled, int);
  void Paint();
  void HoldSelfSizingLabels(const FormLayout& scaled);
  void FollowResolution();

  FormLayout layout_;  // as laid out, for a display of another resolution

  TColor color_ = clBtnFace;
  int clientWidth_, clientHeight_;
  std::vector<std::unique_ptr<TLabel>> labels_;
};
