// The program's side of SystemCalls.h: every call goes straight to the page.
#include "platform/web/SystemCalls.h"

#include "platform/MessageLoop.h"
#include "platform/web/Windows.h"

namespace platform::detail {

bool NewCanvas(WindowHandle window) { return CreateCanvas(window); }

void MayPaint() {}

void MayOpenFont(const std::string&) {}

bool StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  return StartGrantedTimer(window, id, periodMs);
}

void SessionEnded() {}

}  // namespace platform::detail
