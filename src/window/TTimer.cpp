#include "window/TTimer.h"

#include "window/Exception.h"

namespace {
constexpr std::uint32_t kTimerId = 1;
}

TTimer::TTimer() : TWindow(platform::CreateMessageWindow()) {}

TTimer::~TTimer() { platform::KillTimer(Handle(), kTimerId); }

void TTimer::SetInterval(std::int32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  UpdateTimer();
}

void TTimer::SetOnTimer(std::function<void()> handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  platform::KillTimer(Handle(), kTimerId);
  if (interval_ == 0 || !onTimer_) return;
  // A negative period is taken as its unsigned value, as the system's timer takes it.
  if (!platform::SetTimer(Handle(), kTimerId, static_cast<std::uint32_t>(interval_))) {
    throw EOutOfResources(kTimerRefusedMessage);
  }
}

// A failure in the handler goes to the application like any other, and the timer keeps
// running; only a refused restart, which the handler itself caused, leaves it stopped.
void TTimer::WndProc(const platform::Message& message) {
  if (message.msg == platform::Msg::Timer && message.wParam == kTimerId && onTimer_) onTimer_();
}
