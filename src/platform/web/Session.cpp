// Start-up, and the page's pixels that fonts and the layout are sized for.
#include "platform/web/Session.h"

#include <emscripten/html5.h>

#include <cmath>

#include "platform/MessageLoop.h"
#include "platform/Session.h"
#include "platform/web/SystemCalls.h"

namespace platform::detail {
namespace {

double pixelRatio = 1;

}  // namespace

double PixelRatio() { return pixelRatio; }

bool FollowPixelRatio() {
  const double ratio = emscripten_get_device_pixel_ratio();
  if (!(ratio > 0 && std::isfinite(ratio)) || ratio == pixelRatio) return false;
  pixelRatio = ratio;
  return true;
}

}  // namespace platform::detail

namespace platform {

// A page has no descriptors to prepare: what the program prints goes to the browser's console.
void PrepareProcess() {}

void Initialise() {
  using namespace detail;
  if (Session::IsOpen()) Shutdown();
  pixelRatio = 1;  // until the page says otherwise
  FollowPixelRatio();
  Session::SetOpen(true);
}

void Shutdown() {
  using namespace detail;
  if (!Session::IsOpen()) return;
  ForgetSessionState();  // a program that has ended leaves no canvas behind
  Session::SetOpen(false);
  SessionEnded();
}

// Fonts and the layout are sized for the page's pixels: 96 per inch at a device pixel ratio of
// 1, and as many more as the ratio gives (192 at 2), as a scaled desktop does; a zoom changes it.
int LogicalResolution() {
  return static_cast<int>(std::lround(96 * (detail::Session::IsOpen() ? detail::pixelRatio : 1)));
}

}  // namespace platform
