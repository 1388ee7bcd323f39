#include <SDL.h>

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "HeadlessPlatform.h"

namespace platform {
namespace {

using KeyboardTest = HeadlessPlatform;

struct Key {
  SDL_Keycode sym;
  SDL_Scancode scancode;
};
const Key kA{SDLK_a, SDL_SCANCODE_A}, kQ{SDLK_q, SDL_SCANCODE_Q}, kX{SDLK_x, SDL_SCANCODE_X},
    kB{SDLK_b, SDL_SCANCODE_B}, k1{SDLK_1, SDL_SCANCODE_1}, k2{SDLK_2, SDL_SCANCODE_2},
    kBracket{SDLK_LEFTBRACKET, SDL_SCANCODE_LEFTBRACKET}, kMinus{SDLK_MINUS, SDL_SCANCODE_MINUS},
    kEnter{SDLK_RETURN, SDL_SCANCODE_RETURN}, kEscape{SDLK_ESCAPE, SDL_SCANCODE_ESCAPE},
    kBackspace{SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE}, kTab{SDLK_TAB, SDL_SCANCODE_TAB},
    kF1{SDLK_F1, SDL_SCANCODE_F1}, kLeft{SDLK_LEFT, SDL_SCANCODE_LEFT}, kCtrl{SDLK_LCTRL, SDL_SCANCODE_LCTRL},
    kShift{SDLK_LSHIFT, SDL_SCANCODE_LSHIFT}, kAlt{SDLK_LALT, SDL_SCANCODE_LALT},
    kRightAlt{SDLK_RALT, SDL_SCANCODE_RALT},
    kSpace{SDLK_SPACE, SDL_SCANCODE_SPACE};

void Down(Key k, bool repeat = false) { PushKey(k.sym, k.scancode, true, repeat); }
void Up(Key k) { PushKey(k.sym, k.scancode, false); }
void Stroke(Key k, const char* text = nullptr) {
  Down(k);
  if (text) PushText(text);
  Up(k);
}

using Typed = std::vector<std::pair<Msg, std::uint32_t>>;

Typed CharactersOf(const std::vector<Message>& messages) {
  Typed typed;
  for (const Message& m : messages) {
    if (m.msg == Msg::Char || m.msg == Msg::SysChar) typed.emplace_back(m.msg, m.wParam);
  }
  return typed;
}

struct Case {
  const char* name;
  std::function<void()> type;  // all of it arrives before the program takes anything
  Typed expected;
};

TEST_F(KeyboardTest, KeysBecomeTheCharactersOfTheWindowsUsLayout) {
  const auto chord = [](std::vector<Key> held, Key key, const char* text = nullptr) {
    return [=] {
      for (Key k : held) Down(k);
      Stroke(key, text);
      for (auto k = held.rbegin(); k != held.rend(); ++k) Up(*k);
    };
  };
  const std::vector<Case> cases = {
      {"a letter types its text", [] { Stroke(kQ, "q"); }, {{Msg::Char, 113}}},
      {"Shift+letter types the capital", chord({kShift}, kQ, "Q"), {{Msg::Char, 'Q'}}},
      {"Enter", [] { Stroke(kEnter); }, {{Msg::Char, 13}}},
      {"Escape", [] { Stroke(kEscape); }, {{Msg::Char, 27}}},
      {"Backspace", [] { Stroke(kBackspace); }, {{Msg::Char, 8}}},
      {"Tab", [] { Stroke(kTab); }, {{Msg::Char, 9}}},
      {"Ctrl+A, released before the program looks", chord({kCtrl}, kA), {{Msg::Char, 1}}},
      {"Ctrl+Shift+A", chord({kCtrl, kShift}, kA), {{Msg::Char, 1}}},
      {"Ctrl+Enter", chord({kCtrl}, kEnter), {{Msg::Char, 10}}},
      {"Ctrl+Backspace", chord({kCtrl}, kBackspace), {{Msg::Char, 127}}},
      {"Ctrl+Tab makes nothing", chord({kCtrl}, kTab), {}},
      {"Ctrl+Shift with Enter, Escape, Backspace or Space makes nothing",
       [&] { for (Key k : {kEnter, kEscape, kBackspace, kSpace}) chord({kCtrl, kShift}, k)(); }, {}},
      {"Shift+Enter is still Enter", chord({kShift}, kEnter), {{Msg::Char, 13}}},
      {"Ctrl+[", chord({kCtrl}, kBracket), {{Msg::Char, 27}}},
      {"Ctrl+Shift+2 makes a zero", chord({kCtrl, kShift}, k2), {{Msg::Char, 0}}},
      {"Ctrl+Shift+-", chord({kCtrl, kShift}, kMinus), {{Msg::Char, 31}}},
      {"Ctrl+1: SDL's text for it is not typed", chord({kCtrl}, k1, "1"), {}},
      {"keys without characters", [] { Stroke(kF1); Stroke(kLeft); Stroke(kShift); }, {}},
      {"Alt+x is a system character", chord({kAlt}, kX, "x"), {{Msg::SysChar, 'x'}}},
      {"Alt+Enter makes nothing", chord({kAlt}, kEnter), {}},
      // SDL reports AltGr as right Alt: it types where the layout makes it another character.
      {"AltGr+Q on a German layout types @", chord({kRightAlt}, kQ, "@"), {{Msg::Char, '@'}}},
      {"right Alt+Q on a US layout is Alt+Q", chord({kRightAlt}, kQ, "q"), {{Msg::SysChar, 'q'}}},
      {"left Alt with right Alt is still Alt", chord({kAlt, kRightAlt}, kQ, "@"), {{Msg::SysChar, '@'}}},
      {"a kanji is two bytes, lead byte first", [] { PushText("漢"); }, {{Msg::Char, 0x8A}, {Msg::Char, 0xBF}}},
      {"a held key repeats", [] { Down(kA); PushText("a"); Down(kA, true); PushText("a"); Up(kA); },
       {{Msg::Char, 'a'}, {Msg::Char, 'a'}}},
      {"Enter between letters keeps its place",
       [] { Down(kA); PushText("a"); Down(kEnter); Down(kB); PushText("b"); Up(kA); Up(kEnter); Up(kB); },
       {{Msg::Char, 'a'}, {Msg::Char, 13}, {Msg::Char, 'b'}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    session.Restart();
    const WindowHandle window = ShownWindow();
    c.type();
    EXPECT_EQ(CharactersOf(Drain()), c.expected);
    EXPECT_FALSE(IsKeyDown(0x10) || IsKeyDown(0x11) || IsKeyDown(0x12)) << "every modifier was released";
    EXPECT_EQ(GetActiveWindow(), window);
  }
}

TEST_F(KeyboardTest, KeyMessagesCarryTheVirtualKeyAndTheRepeatFlag) {
  const WindowHandle window = ShownWindow();
  Drain();
  Down(kA);
  Down(kA, true);
  Up(kA);
  Down(kAlt);
  Stroke(kX);
  Up(kAlt);
  struct Expected { Msg msg; std::uint32_t vk; bool repeat, released; };
  const std::vector<Expected> expected = {
      {Msg::KeyDown, 'A', false, false},   {Msg::KeyDown, 'A', true, false},     {Msg::KeyUp, 'A', true, true},
      {Msg::SysKeyDown, 0x12, false, false}, {Msg::SysKeyDown, 'X', false, false}, {Msg::SysKeyUp, 'X', true, true},
      {Msg::SysKeyUp, 0x12, true, true},
  };
  const std::vector<Message> taken = Drain();
  ASSERT_EQ(taken.size(), expected.size());
  for (std::size_t i = 0; i < taken.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(taken[i].msg, expected[i].msg);
    EXPECT_EQ(taken[i].window, window);
    EXPECT_EQ(taken[i].wParam, expected[i].vk);
    EXPECT_EQ((taken[i].lParam >> 30 & 1) != 0, expected[i].repeat) << "bit 30: the key was already down";
    EXPECT_EQ((taken[i].lParam >> 31 & 1) != 0, expected[i].released);
  }
}

TEST_F(KeyboardTest, AltF4ClosesTheWindowWhenNoWindowManagerTakesIt) {
  const WindowHandle window = ShownWindow();
  Drain();
  Down(kAlt);
  Stroke({SDLK_F4, SDL_SCANCODE_F4});
  Up(kAlt);
  const std::vector<Message> taken = Drain();
  ASSERT_EQ(taken.size(), 5u);
  EXPECT_EQ(taken[1].msg, Msg::SysKeyDown);
  EXPECT_EQ(taken[2].msg, Msg::Close);
  EXPECT_EQ(taken[2].window, window);

  Stroke({SDLK_F4, SDL_SCANCODE_F4});
  for (const Message& m : Drain()) EXPECT_NE(m.msg, Msg::Close) << "F4 alone closes nothing";
}

TEST_F(KeyboardTest, KeyStateIsAsOfTheMessageTaken) {
  ShownWindow();
  Drain();
  Down(kCtrl);
  Up(kCtrl);
  Message message;
  EXPECT_FALSE(IsKeyDown(0x11)) << "nothing taken yet";
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_TRUE(IsKeyDown(0x11));
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_FALSE(IsKeyDown(0x11));
}

TEST_F(KeyboardTest, ADisabledWindowGetsNoInput) {
  const WindowHandle window = ShownWindow();
  Drain();
  Down(kQ);
  EnableWindow(window, false);  // the key already arrived, but is not taken before the disabling
  PushText("q");
  Up(kQ);
  EXPECT_FALSE(IsWindowEnabled(window));
  EXPECT_TRUE(Drain().empty());

  EnableWindow(window, true);
  Stroke(kQ, "q");
  EXPECT_EQ(CharactersOf(Drain()), (Typed{{Msg::Char, 'q'}}));
}

TEST_F(KeyboardTest, TheLeftButtonCapturesTheMouseUntilReleased) {
  const WindowHandle window = ShownWindow();
  Drain();
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  click.button.windowID = SdlIdOf(window);
  click.button.x = 30;
  click.button.y = 40;
  PushEvent(click);

  Message message;
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_EQ(message.msg, Msg::LButtonDown);
  EXPECT_EQ(message.lParam, 30u | 40u << 16);
  EXPECT_EQ(GetCapture(), window);
  EXPECT_TRUE(IsKeyDown(0x01));

  click.type = SDL_MOUSEBUTTONUP;
  click.button.windowID = 0;  // released outside any window of ours
  PushEvent(click);
  ASSERT_TRUE(PeekMessage(message));
  EXPECT_EQ(message.msg, Msg::LButtonUp);
  EXPECT_EQ(message.window, window) << "the capturing window hears the release";
  EXPECT_EQ(GetCapture(), 0u);
  EXPECT_FALSE(IsKeyDown(0x01));

  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.windowID = SdlIdOf(window);
  PushEvent(click);
  Drain();
  ASSERT_EQ(GetCapture(), window);
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), 0u);
}

}  // namespace
}  // namespace platform
