// A fresh headless platform for each test, and helpers that feed it SDL events the way the
// desktop would and drain what comes out.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/HeadlessSession.h"
#include "platform/Platform.h"
#include "platform/Testing.h"
#include "platform/sdl/Windows.h"

namespace platform {

class HeadlessPlatform : public ::testing::Test {
 protected:
  HeadlessSession session;
};

inline WindowHandle ShownWindow(int width = 212, int height = 212) {
  WindowOptions options;
  options.title = "QUILLET";
  options.clientWidth = width;
  options.clientHeight = height;
  const WindowHandle window = CreateWindow(options);
  ShowWindow(window, Show::Normal);
  return window;
}

// Every message waiting now, as the program's loop takes them: key downs translated, paints done.
inline std::vector<Message> Drain() {
  std::vector<Message> taken;
  Message message;
  while (PeekMessage(message)) {
    taken.push_back(message);
    if (message.msg == Msg::KeyDown) TranslateMessage(message);
    if (message.msg == Msg::Paint) EndPaint(message.window, BeginPaint(message.window));
  }
  return taken;
}

inline std::uint32_t SdlIdOf(WindowHandle window) { return SDL_GetWindowID(detail::FindWindow(window)->sdl); }

inline void PushEvent(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

// A key event as SDL reports it; window id 0 stands for the focused window.
inline void PushKey(SDL_Keycode sym, SDL_Scancode scancode, bool press, bool repeat = false, std::uint32_t sdlWindow = 0) {
  SDL_Event event{};
  event.type = press ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = sdlWindow;
  event.key.state = press ? SDL_PRESSED : SDL_RELEASED;
  event.key.repeat = repeat ? 1 : 0;
  event.key.keysym.sym = sym;
  event.key.keysym.scancode = scancode;
  PushEvent(event);
}

inline void PushText(const std::string& utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  SDL_strlcpy(event.text.text, utf8.c_str(), sizeof event.text.text);
  PushEvent(event);
}

}  // namespace platform
