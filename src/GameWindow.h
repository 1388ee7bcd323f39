// The whole world of the game: the few things it may do to its window. The real main window
// implements this, and so does the small in-memory window the rules are tested against.
#pragma once
#include <cstdint>
#include <string_view>

// The labels the game writes, numbered as in the window's layout.
enum class GameLabel { Label1 = 1, Label2 = 2, Label3 = 3, Label4 = 4, Label5 = 5, Label8 = 8, Label12 = 12, Label14 = 14 };

class GameWindow {
 public:
  virtual ~GameWindow() = default;
  // Texts are code page 932 bytes; a caption keeps them up to the first zero byte.
  virtual void SetCaption(GameLabel label, std::string_view text) = 0;
  // Colours are kept and read back exactly as set, system-colour references included.
  virtual void SetColor(std::uint32_t color) = 0;
  virtual std::uint32_t Color() const = 0;
  // 0 stops the ticks. Throws EOutOfResources when the platform refuses the timer; the new
  // interval then counts as set although no timer runs.
  virtual void SetTimerInterval(std::int32_t milliseconds) = 0;
  // Milliseconds since the system started, wrapping at 2^32.
  virtual std::uint32_t GetTickCount() const = 0;
};
