// The characters that keys make beyond a layout's own text, following the Windows US layout:
// Enter, Escape, Backspace and Tab, and the control codes of Ctrl chords. TranslateMessage makes
// them from a key-down, as Windows does, whatever text input the backend has.
#pragma once
#include <cstdint>
#include <optional>

#include "platform/KeyState.h"

namespace platform::detail {

// The character that `virtualKey` makes with the keys in `keys` held, if it makes one.
std::optional<std::uint32_t> CharacterOfKey(int virtualKey, const KeyState& keys);

}  // namespace platform::detail
