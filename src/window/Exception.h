// Failures that unwind a handler and end in the error box. Messages are code page 932 bytes.
#pragma once
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The platform refused a resource, such as a timer.
class EOutOfResources : public Exception {
 public:
  using Exception::Exception;
};

// "ﾀｲﾏｰを取得できません" (the timer could not be obtained), in Shift-JIS.
inline const std::string kTimerRefusedMessage =
    "\xC0\xB2\xCF\xB0\x82\xF0\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
