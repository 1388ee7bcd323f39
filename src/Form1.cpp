#include "Form1.h"

#include <string>

#include "window/Form1Layout.h"

TForm1::TForm1() : TForm(Form1Layout()) {
  for (int n = 1; n <= 14; ++n) labels_[static_cast<std::size_t>(n - 1)] = FindLabel("Label" + std::to_string(n));
  OnCreate = [this] { game.FormCreate(); };
  OnKeyPress = [this](std::uint8_t& key) { game.FormKeyPress(key); };
  Timer1.SetOnTimer([this] { game.Timer1Timer(); });
}

void TForm1::SetCaption(GameLabel label, std::string_view text) { Label(static_cast<int>(label)).SetCaption(text); }

std::uint32_t TForm1::GetTickCount() const { return platform::GetTickCount(); }
