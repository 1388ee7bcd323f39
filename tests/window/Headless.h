// Components on the headless platform: SDL's dummy driver and a virtual clock that moves only
// when a test says so. Time advances deadline by deadline, so every tick that falls due is
// delivered, in order, with nothing ever sleeping.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/HeadlessSession.h"
#include "platform/Platform.h"
#include "platform/Testing.h"
#include "window/TApplication.h"
#include "window/TErrorBox.h"
#include "window/TWindow.h"

// Handles what is waiting, without waiting for more, until the application ends.
inline void ProcessMessages(TApplication& app) {
  platform::Message message;
  while (!app.Terminated() && platform::PeekMessage(message)) app.ProcessMessage(message);
}

// The error box that is active, as a test sees it from inside the box's own loop; nullptr when
// the active window is no error box.
inline TErrorBox* ActiveErrorBox() {
  return dynamic_cast<TErrorBox*>(TWindow::FromHandle(platform::GetActiveWindow()));
}

// A session of its own for each test, under the application the test drives.
class HeadlessTest : public ::testing::Test {
 protected:
  HeadlessSession session;
  TApplication app;

  void SetUp() override { app.Title = "QUILLET"; }
  void TearDown() override { platform::testing::WhenIdle(nullptr); }

  void ProcessMessages() { ::ProcessMessages(app); }

  void AdvanceTime(std::uint64_t ms) {
    const std::uint64_t target = platform::testing::Now() + ms;
    ProcessMessages();
    while (true) {
      const auto next = platform::testing::NextTimerDeadline();
      if (!next || *next > target) break;
      platform::testing::SetClock(*next);
      ProcessMessages();
    }
    platform::testing::SetClock(target);
    ProcessMessages();
  }

  // True when painting or any other message is waiting.
  static bool SomethingPending() {
    platform::Message message;
    if (!platform::PeekMessage(message)) return false;
    platform::testing::PostMessage(message);  // put it back for whoever comes next
    return true;
  }

  static platform::ColorRef Pixel(platform::WindowHandle window, int x, int y) {
    return platform::testing::PixelAt(platform::testing::WindowCanvas(window), x, y);
  }
};
