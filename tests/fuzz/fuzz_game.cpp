// The game's key and tick stream from arbitrary bytes, judged after every event by the same
// invariant checker as the seeded drivers. Two bytes make a step: what happens and a key.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/MemoryWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryDriver driver(0xFFFFFFFFu - 2'000u);
  GameInvariants invariants;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    const std::uint8_t what = data[i];
    PlayerStep step;
    step.event = (what & 1) && driver.Ticking() ? GameEvent::Tick : GameEvent::Key;
    step.refuseTimer = (what & 0x0E) == 0x0E;
    step.ms = what >> 4;
    // A key byte below 26 types the letter on display, so that the stream can play deep.
    step.key = data[i + 1] < 26 ? driver.Target() : data[i + 1];
    const std::string broken = PlayStep(driver, invariants, step);
    if (!broken.empty()) {
      std::fprintf(stderr, "step %zu: %s\n", i / 2, broken.c_str());
      std::abort();
    }
  }
  return 0;
}
