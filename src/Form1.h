// The main window: the laid-out form, its timer, and the game wired to both.
#pragma once
#include <array>

#include "GameWindow.h"
#include "main.h"
#include "window/TForm.h"
#include "window/TTimer.h"

class TForm1 : public TForm, public GameWindow {
 public:
  TForm1();

  TTimer Timer1;
  Game game{*this};

  TLabel& Label(int number) const { return *labels_[static_cast<std::size_t>(number - 1)]; }

  // What the game may do to its window.
  void SetCaption(GameLabel label, std::string_view text) override;
  void SetColor(std::uint32_t color) override { TForm::SetColor(color); }
  std::uint32_t Color() const override { return TForm::Color(); }
  void SetTimerInterval(std::int32_t milliseconds) override { Timer1.SetInterval(milliseconds); }
  std::uint32_t GetTickCount() const override;

 private:
  std::array<TLabel*, 14> labels_{};
};
