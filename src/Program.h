#pragma once
#include <functional>

// The whole program: start the platform, build the application and its main window, run the
// loop, and report what cannot be shown in a window on stderr. `beforeRun` lets a test build
// arrange the platform first; the shipped program passes nothing.
int RunQuillet(const std::function<void()>& beforeRun = {});
