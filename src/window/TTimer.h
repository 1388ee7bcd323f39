// A periodic timer on a hidden window of its own. Interval 0 means no ticks. Setting the interval
// it already has leaves the rhythm alone; a new one starts a fresh period.
#pragma once
#include <cstdint>
#include <functional>

#include "window/TWindow.h"

class TTimer : public TWindow {
 public:
  TTimer();
  ~TTimer() override;

  std::int32_t Interval() const { return interval_; }
  // Throws EOutOfResources when the platform refuses; Interval keeps the new value, no timer
  // runs, and only a different value tries again.
  void SetInterval(std::int32_t milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  void SetOnTimer(std::function<void()> handler);

  void WndProc(const platform::Message& message) override;

 private:
  void UpdateTimer();

  std::int32_t interval_ = 0;
  bool enabled_ = true;
  std::function<void()> onTimer_;
};
