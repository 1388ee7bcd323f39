// A 32-bit value as the tests print colours and colour references: 0x and eight hex digits.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string Hex(std::uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
  return text;
}
