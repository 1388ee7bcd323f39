#include "Form1.h"

#include <string>

#include "Form1Layout.h"

// The game keeps its phase in the window's colour: each phase is one of the window's colours.
static_assert(static_cast<TColor>(GamePhase::Normal) == clBtnFace);
static_assert(static_cast<TColor>(GamePhase::Extra) == clLime);
static_assert(static_cast<TColor>(GamePhase::Over) == clRed);
static_assert(static_cast<TColor>(GamePhase::Cleared) == clAqua);

TForm1::TForm1() : TForm(Form1Layout()) {
  for (int n = 1; n <= 14; ++n) labels_[static_cast<std::size_t>(n - 1)] = FindLabel("Label" + std::to_string(n));
  OnCreate = [this] { game.FormCreate(); };
  OnKeyPress = [this](std::uint8_t& key) { game.FormKeyPress(key); };
  Timer1.SetOnTimer([this] { game.Timer1Timer(); });
}

void TForm1::SetCaption(GameLabel label, std::string_view text) { Label(static_cast<int>(label)).SetCaption(text); }

std::uint32_t TForm1::GetTickCount() const { return platform::GetTickCount(); }
