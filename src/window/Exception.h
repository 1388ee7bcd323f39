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
