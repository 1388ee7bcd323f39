// The headless platform, for as long as the object lives: SDL's dummy driver, which gives real
// window surfaces with no display, and a clock that stands at 0 ms until a test moves it. Every
// test program that runs headless starts it through this, so how it starts is said once.
#pragma once
#include "platform/Platform.h"
#include "platform/Testing.h"

class HeadlessSession {
 public:
  HeadlessSession() { Start(); }
  ~HeadlessSession() { platform::Shutdown(); }
  HeadlessSession(const HeadlessSession&) = delete;
  HeadlessSession& operator=(const HeadlessSession&) = delete;

  // A fresh session, for a table whose rows must not see what the rows before left behind.
  void Restart() {
    platform::Shutdown();
    Start();
  }

 private:
  static void Start() { platform::testing::InitialiseHeadless(); }
};
