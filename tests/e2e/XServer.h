// A private X server for the tests: Xvfb on a display number it picks itself, a window manager
// if asked for, and one Xlib connection to it for looking at windows and reading pixels back.
#pragma once
#include "e2e/XTypes.h"

#include <memory>
#include <string>

#include "e2e/ChildProcess.h"

namespace e2e {

enum class WindowManager { Absent, Openbox };

class XServer {
 public:
  // Throws when Xvfb, or the window manager asked for, cannot start.
  explicit XServer(WindowManager windowManager = WindowManager::Absent);
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  const std::string& DisplayName() const { return displayName_; }  // ":N"
  XDisplay* Connection() const { return display_; }

 private:
  std::unique_ptr<ChildProcess> process_, windowManager_;
  std::string displayName_;
  XDisplay* display_ = nullptr;
};

}  // namespace e2e
