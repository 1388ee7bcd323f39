// The test builds' side of SystemCalls.h, and the parts of Testing.h the page under test uses.
// Linked into test programs only: the shipped page has neither refusals nor hooks. The page's
// tests read everything else from the page itself, as a player sees it.
#include <emscripten/emscripten.h>

#include "platform/FailurePlans.h"
#include "platform/MessageLoop.h"
#include "platform/Testing.h"
#include "platform/web/Font.h"
#include "platform/web/SystemCalls.h"
#include "platform/web/Windows.h"

EM_JS(int, quillet_pixel, (int window, int x, int y), {
  const canvas = QuilletPage.canvases[window];
  if (!canvas || x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) return -1;
  const rgba = canvas.getContext('2d').getImageData(x, y, 1, 1).data;
  return rgba[0] | rgba[1] << 8 | rgba[2] << 16;
});

namespace platform {
namespace {

using testing::Failure;

constexpr char kRefused[] = "refused by a test";

bool Refused(Failure call) { return detail::TestPlans().Take(call); }

}  // namespace

bool detail::NewCanvas(WindowHandle window) { return !Refused(Failure::WindowCreation) && CreateCanvas(window); }

void detail::MayPaint() {
  if (Refused(Failure::WindowSurface)) throw PlatformError(std::string("cannot draw into the window: ") + kRefused);
}

void detail::MayOpenFont(const std::string& file) {
  if (Refused(Failure::FontOpen)) throw PlatformError("Cannot open the font " + file + ": " + kRefused);
}

bool detail::StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  return !Refused(Failure::Timer) && StartGrantedTimer(window, id, periodMs);
}

void detail::SessionEnded() { TestPlans().Forget(); }

void testing::InjectFailure(Failure call, int skip, int count) { detail::TestPlans().Plan(call, skip, count); }

std::string testing::FontFileOf(const Font&) { return detail::FaceFile(); }

ColorRef testing::PixelAt(const Canvas& canvas, int x, int y) {
  if (!canvas.surface) return 0xFFFFFFFF;
  return static_cast<ColorRef>(quillet_pixel(detail::WindowOf(canvas), x + canvas.originX, y + canvas.originY));
}

}  // namespace platform
