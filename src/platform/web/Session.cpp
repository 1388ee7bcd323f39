// Start-up, the logical resolution, the code page, the clock and the last word on the page.
#include "platform/web/Session.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <vector>

#include "platform/web/Input.h"
#include "platform/web/Windows.h"

EM_JS(int, quillet_decode, (const char* bytes, int length, char32_t* out), {
  const text = QuilletPage.decode(HEAPU8.subarray(bytes, bytes + length));
  let count = 0;
  for (const c of text) HEAPU32[(out >> 2) + count++] = c.codePointAt(0);
  return count;
});

EM_JS(void, quillet_say, (const char* utf8), {
  const line = UTF8ToString(utf8);
  QuilletPage.say(line);
  console.error(line);
});

namespace platform::detail {
namespace {

bool open = false;
unsigned ended = 0;
double pixelRatio = 1;
MessageHandler handler = nullptr;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool Session::IsOpen() { return open; }

unsigned Session::Ended() { return ended; }

void Session::RequireOpen() {
  if (!open) throw PlatformError("the platform is not initialised");
}

double Session::PixelRatio() { return pixelRatio; }

std::u32string DecodeAnsi(std::string_view cp932) {
  cp932 = cp932.substr(0, cp932.find('\0'));
  std::u32string decoded(cp932.size(), U'\0');  // never more characters than bytes
  decoded.resize(static_cast<std::size_t>(quillet_decode(cp932.data(), static_cast<int>(cp932.size()), decoded.data())));
  return decoded;
}

double NowMillis() { return emscripten_get_now(); }

MessageHandler CurrentMessageHandler() { return handler; }

}  // namespace platform::detail

namespace platform {

// A page has no descriptors to prepare: what the program prints goes to the browser's console.
void PrepareProcess() {}

void Initialise(Mode mode) {
  using namespace detail;
  if (mode == Mode::Headless) throw PlatformError("the web build has no headless mode");
  if (open) Shutdown();
  const double ratio = emscripten_get_device_pixel_ratio();
  pixelRatio = ratio > 0 && std::isfinite(ratio) ? ratio : 1;
  open = true;
}

void Shutdown() {
  using namespace detail;
  if (!open) return;
  Windows().Clear();  // a program that has ended leaves no canvas behind
  Queue().Clear();
  ForgetAllTimers();
  ArrivedKeys() = KeyState{};
  TakenKeys() = KeyState{};
  open = false;
  ++ended;
}

// Fonts and the layout are sized for the page's pixels: 96 per inch at a device pixel ratio of
// 1, and as many more as the ratio gives (192 at 2), as a scaled desktop does.
int LogicalResolution() {
  return static_cast<int>(std::lround(96 * (detail::open ? detail::pixelRatio : 1)));
}

std::string AnsiToUtf8(std::string_view cp932) {
  std::string utf8;
  for (const char32_t c : detail::DecodeAnsi(cp932)) detail::AppendUtf8(utf8, c);
  return utf8;
}

std::uint32_t GetTickCount() {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(detail::NowMillis()));
}

// A page has no terminal: the reason is the page's one line (and the console's).
void ReportFatalError(std::string_view program, std::string_view message) {
  const std::string line = std::string(program) + ": " + std::string(message);
  quillet_say(line.c_str());
}

void SetMessageHandler(MessageHandler handler) { detail::handler = handler; }

}  // namespace platform
