// A private X server for the tests: Xvfb on a display number it picks itself, and one Xlib
// connection to it for looking at windows and reading pixels back.
#pragma once
#include "e2e/XTypes.h"

#include <memory>
#include <string>

#include "e2e/ChildProcess.h"

namespace e2e {

class XServer {
 public:
  XServer();  // throws when Xvfb cannot start
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& DisplayName() const { return displayName_; }  // ":N"
  XDisplay* Connection() const { return display_; }

 private:
  std::unique_ptr<ChildProcess> process_;
  std::string displayName_;
  XDisplay* display_ = nullptr;
};

}  // namespace e2e
