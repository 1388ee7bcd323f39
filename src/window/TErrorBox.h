// The one error box: a stop sign, the message, and an OK button that Enter, Space, Escape or a
// click closes. Drawn with the program's own text services, so Japanese messages show.
#pragma once
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "window/TWindow.h"

class TForm;

class TErrorBox : public TWindow {
 public:
  // Centred over the owner when there is one.
  TErrorBox(std::string_view text, std::string_view caption, const TForm* owner);

  void Show();
  bool Closed() const { return closed_; }
  const std::string& Text() const { return text_; }

  void WndProc(const platform::Message& message) override;

 private:
  struct Layout {
    platform::Rect text, button;
    int width, height;
  };
  static Layout LayOut(std::string_view text);
  TErrorBox(std::string_view text, std::string_view caption, const TForm* owner, const Layout& layout);
  void Paint();

  std::string text_;
  platform::Rect textRect_, button_;
  bool closed_ = false;
};
