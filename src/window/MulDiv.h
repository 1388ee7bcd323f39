#pragma once
#include <cstdint>
#include <cstdlib>

// a × b / c in 64 bits, rounded half away from zero, as the layout's scaling rounds.
inline int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;  // as the system's own MulDiv answers
  const std::int64_t product = static_cast<std::int64_t>(a) * b;
  const std::int64_t half = std::llabs(c) / 2;
  const bool negative = (product < 0) != (c < 0);
  const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
  return static_cast<int>(negative ? -magnitude : magnitude);
}
