// The test builds' side of SystemCalls.h, and everything Testing.h offers, on SDL. Linked into
// test programs only: the shipped program has neither refusals nor these hooks.
#include <SDL.h>

#include <functional>
#include <utility>

#include "platform/FailurePlans.h"
#include "platform/KeyState.h"
#include "platform/MessageLoop.h"
#include "platform/MessageQueue.h"
#include "platform/Testing.h"
#include "platform/TimerTable.h"
#include "platform/sdl/DesktopScale.h"
#include "platform/sdl/EventTranslator.h"
#include "platform/sdl/FaceFile.h"
#include "platform/sdl/Font.h"
#include "platform/sdl/SystemCalls.h"
#include "platform/sdl/Windows.h"

namespace platform {
namespace {

using testing::Failure;

constexpr char kRefused[] = "refused by a test";

bool Refused(Failure call) {
  if (!detail::TestPlans().Take(call)) return false;
  SDL_SetError("%s", kRefused);
  return true;
}

// A headless session: SDL's dummy driver, which gives real window surfaces with no display, and
// a clock that stands still until a test moves it. It lasts until the session ends.
struct Headless {
  bool on = false;
  std::uint64_t clockMillis = 0;
  int pixelsPerInch = 0;  // a test's pretended resolution; 0 for the display's own
};

Headless& Session() {
  static Headless session;
  return session;
}

std::function<void()>& IdleHandler() {
  static std::function<void()> handler;
  return handler;
}

// Nothing outside a test can send an event to a headless session, so waiting means time passing:
// straight on to the earliest deadline.
void AdvanceToNextDeadline() {
  detail::TranslatePendingEvents();
  if (detail::MessageWaiting()) return;
  if (auto deadline = detail::Timers().EarliestDeadline()) Session().clockMillis = (*deadline + 999u) / 1'000u;
}

}  // namespace

SDL_Window* detail::NewSdlWindow(const char* title, int x, int y, int width, int height, std::uint32_t flags) {
  return Refused(Failure::WindowCreation) ? nullptr : SDL_CreateWindow(title, x, y, width, height, flags);
}

SDL_Surface* detail::PaintingFrameBuffer(SdlWindow& window) {
  return Refused(Failure::WindowSurface) ? nullptr : FrameBuffer(window);
}

FT_Face detail::FaceAtSize(FaceFile& file, int emPixels) {
  // Each request may be refused, as an unreadable font file would be on a desktop.
  if (Refused(Failure::FontOpen)) throw PlatformError("Cannot open the font file " + file.Path() + ": " + kRefused);
  return file.At(emPixels);
}

bool detail::StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  return !Refused(Failure::Timer) && StartGrantedTimer(window, id, periodMs);
}

void detail::ChooseVideoDriver() {
  if (!Session().on) return ChooseDesktopDriver();
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "dummy", SDL_HINT_OVERRIDE);
}

int detail::DesktopPixelsPerInch() {
  if (Session().pixelsPerInch > 0) return Session().pixelsPerInch;
  return Session().on ? 96 : DesktopResolution();
}

void detail::SessionEnded() {
  TestPlans().Forget();
  if (Session().on) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  Session() = {};
}

void detail::AwaitInput(std::optional<std::uint64_t> deadlineMicros) {
  if (!Session().on) return AwaitEvents(deadlineMicros);
  if (IdleHandler()) IdleHandler()();
  AdvanceToNextDeadline();
}

std::uint64_t detail::NowMicros() { return Session().on ? Session().clockMillis * 1'000u : BootMicros(); }

namespace testing {

void InitialiseHeadless() {
  Shutdown();
  Session().on = true;
  try {
    Initialise();
  } catch (...) {
    Session() = {};
    throw;
  }
}

void InjectFailure(Failure call, int skip, int count) { detail::TestPlans().Plan(call, skip, count); }

void WhenIdle(std::function<void()> handler) { IdleHandler() = std::move(handler); }

Bookkeeping Counts() {
  return {detail::Timers().Count(), detail::Windows().Count(), detail::Queue().Size(), detail::RealisedFonts().size()};
}

std::uint64_t Now() { return detail::NowMicros() / 1'000u; }

void SetClock(std::uint64_t ms) {
  if (!Session().on) throw PlatformError("the clock can only be set on the headless platform");
  Session().clockMillis = ms;
}

std::optional<std::uint64_t> NextTimerDeadline() {
  const auto micros = detail::Timers().EarliestDeadline();
  if (!micros) return std::nullopt;
  return (*micros + 999u) / 1'000u;
}

void SetLogicalResolution(int pixelsPerInch) { Session().pixelsPerInch = pixelsPerInch > 0 ? pixelsPerInch : 0; }

Canvas WindowCanvas(WindowHandle handle) {
  detail::SdlWindow* window = detail::FindWindow(handle);
  if (!window || !window->sdl) return {};
  Canvas canvas;
  canvas.surface = detail::FrameBuffer(*window);
  canvas.clip = window->client;
  return canvas;
}

ColorRef PixelAt(const Canvas& canvas, int x, int y) {
  constexpr ColorRef kOutside = 0xFFFFFFFF;  // what GetPixel answers outside the surface
  auto* source = static_cast<SDL_Surface*>(canvas.surface);
  if (source == nullptr) return kOutside;
  x += canvas.originX;
  y += canvas.originY;
  if (x < 0 || y < 0 || x >= source->w || y >= source->h) return kOutside;
  if (SDL_MUSTLOCK(source) && SDL_LockSurface(source) != 0) return kOutside;
  const int bytes = source->format->BytesPerPixel;
  const auto* at = static_cast<const Uint8*>(source->pixels) + y * source->pitch + x * bytes;
  Uint32 value = 0;
  switch (bytes) {
    case 1: value = *at; break;
    case 2: value = *reinterpret_cast<const Uint16*>(at); break;
    case 3: value = SDL_BYTEORDER == SDL_BIG_ENDIAN ? Uint32(at[0]) << 16 | Uint32(at[1]) << 8 | at[2]
                                                    : Uint32(at[2]) << 16 | Uint32(at[1]) << 8 | at[0]; break;
    default: value = *reinterpret_cast<const Uint32*>(at); break;
  }
  if (SDL_MUSTLOCK(source)) SDL_UnlockSurface(source);
  Uint8 red = 0, green = 0, blue = 0;
  SDL_GetRGB(value, source->format, &red, &green, &blue);
  return ColorRef{red} | ColorRef{green} << 8 | ColorRef{blue} << 16;
}

std::string FontFileOf(const Font& font) { return font.File(); }

void PostMessage(const Message& message) {
  const bool input = (message.msg >= Msg::KeyDown && message.msg <= Msg::SysChar) ||
                     message.msg == Msg::LButtonDown || message.msg == Msg::LButtonUp;
  if (input) {
    detail::Queue().PostInput(message, detail::TakenKeys());
  } else {
    detail::Queue().Post(message);
  }
}

void PressLeftButton(WindowHandle handle, bool down) {
  const detail::SdlWindow* window = detail::FindWindow(handle);
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.button = SDL_BUTTON_LEFT;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.windowID = window && window->sdl ? SDL_GetWindowID(window->sdl) : 0;
  if (SDL_PushEvent(&event) != 1) throw PlatformError(std::string("cannot queue a mouse button: ") + SDL_GetError());
}

}  // namespace testing
}  // namespace platform
