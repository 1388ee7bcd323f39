#include <vector>

#include "HeadlessPlatform.h"

namespace platform {
namespace {

using MessageQueueTest = HeadlessPlatform;

TEST_F(MessageQueueTest, PostedComeBeforePaintBeforeTimer) {
  const WindowHandle window = ShownWindow();
  const WindowHandle timerWindow = CreateMessageWindow();
  Drain();
  ASSERT_TRUE(SetTimer(timerWindow, 1, 100));
  testing::SetClock(100);
  const Rect label{10, 10, 50, 30};
  InvalidateRect(window, &label, false);
  testing::PostMessage({Msg::Close, window, 7, 8});

  Message message;
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_EQ(message.msg, Msg::Close);
  EXPECT_EQ(message.wParam, 7u);
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_EQ(message.msg, Msg::Paint);
  EXPECT_EQ(message.window, window);
  ASSERT_TRUE(PeekMessage(message)) << "a paint keeps coming until the window paints";
  EXPECT_EQ(message.msg, Msg::Paint);
  EndPaint(window, BeginPaint(window));
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_EQ(message.msg, Msg::Timer);
  EXPECT_EQ(message.window, timerWindow);
  EXPECT_FALSE(PeekMessage(message));
}

TEST_F(MessageQueueTest, QuitComesOnceAfterWhatWasPostedBeforeIt) {
  const WindowHandle window = CreateMessageWindow();
  testing::PostMessage({Msg::Close, window});
  PostQuitMessage(3);
  const std::vector<Message> taken = Drain();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].msg, Msg::Close);
  EXPECT_EQ(taken[1].msg, Msg::Quit);
  EXPECT_EQ(taken[1].wParam, 3u);
}

TEST_F(MessageQueueTest, ADestroyedWindowGetsNothingMore) {
  const WindowHandle doomed = ShownWindow();
  const WindowHandle other = CreateMessageWindow();
  ASSERT_TRUE(SetTimer(doomed, 1, 10));
  testing::PostMessage({Msg::Close, doomed});
  testing::PostMessage({Msg::Close, other});
  DestroyWindow(doomed);
  testing::SetClock(1000);

  const std::vector<Message> taken = Drain();
  ASSERT_EQ(taken.size(), 1u) << "no paint, no tick, no posted message for the destroyed window";
  EXPECT_EQ(taken[0].window, other);
  ShowWindow(doomed, Show::Normal);  // a stale handle is harmless
  EXPECT_FALSE(IsWindowEnabled(doomed));
}

TEST_F(MessageQueueTest, ClosingAndQuittingFromOutside) {
  const WindowHandle first = ShownWindow();
  const WindowHandle second = ShownWindow();
  Drain();
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  PushEvent(quit);
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SdlIdOf(second);
  PushEvent(close);
  const std::vector<Message> taken = Drain();
  ASSERT_EQ(taken.size(), 2u);
  EXPECT_EQ(taken[0].msg, Msg::Close) << "a quit request closes the main window";
  EXPECT_EQ(taken[0].window, first);
  EXPECT_EQ(taken[1].msg, Msg::Close);
  EXPECT_EQ(taken[1].window, second);
}

}  // namespace
}  // namespace platform
