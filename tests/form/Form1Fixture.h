// The real main window on the headless platform, driven by typed characters and the clock.
#pragma once
#include <string>

#include "Form1.h"
#include "window/Headless.h"

class Form1Test : public HeadlessTest {
 protected:
  TForm1* form = nullptr;

  void SetUp() override {
    HeadlessTest::SetUp();
    form = &app.CreateForm<TForm1>();
    form->Show();
    ProcessMessages();
  }

  const std::string& Caption(int label) const { return form->Label(label).Caption(); }
  char Letter() const { return Caption(1).at(0); }
  void Type(char c) {
    platform::testing::PostMessage({platform::Msg::Char, form->Handle(), static_cast<unsigned char>(c), 0});
    ProcessMessages();
  }
  void TypeLetter() { Type(static_cast<char>(Letter() + 32)); }
  platform::ColorRef Pixel(int x, int y) const { return HeadlessTest::Pixel(form->Handle(), x, y); }
};
