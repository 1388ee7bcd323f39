// A periodic timer on a hidden window of its own. Interval 0 means no ticks. Setting the interval
// it already has leaves the rhythm alone; a new one starts a fresh period.
#pragma once
#include <cstdint>
#include <functional>

#include <string>

#include "window/TWindow.h"

// What a refused timer throws: "ﾀｲﾏｰを取得できません" (the timer could not be obtained), in Shift-JIS.
inline const std::string kTimerRefusedMessage =
    "\xC0\xB2\xCF\xB0\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";

class TTimer : public TWindow {
 public:
  TTimer();
  ~TTimer() override;

  std::int32_t Interval() const { return interval_; }
  // Throws EOutOfResources when the platform refuses; Interval keeps the new value, no timer
  // runs, and only a different value tries again.
  void SetInterval(std::int32_t milliseconds);
  void SetOnTimer(std::function<void()> handler);

  void WndProc(const platform::Message& message) override;

 private:
  void UpdateTimer();

  std::int32_t interval_ = 0;
  std::function<void()> onTimer_;
};
