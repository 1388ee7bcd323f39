#include "window/TWindow.h"

#include <unordered_map>

namespace {
std::unordered_map<platform::WindowHandle, TWindow*>& Registry() {
  static std::unordered_map<platform::WindowHandle, TWindow*> windows;
  return windows;
}
}  // namespace

TWindow::TWindow(platform::WindowHandle handle) : handle_(handle) { Registry()[handle] = this; }

TWindow::~TWindow() {
  Registry().erase(handle_);
  platform::DestroyWindow(handle_);
}

TWindow* TWindow::FromHandle(platform::WindowHandle handle) {
  const auto found = Registry().find(handle);
  return found == Registry().end() ? nullptr : found->second;
}

// A message for a window that is already gone (a late tick, say) has no one to go to.
void TWindow::Dispatch(const platform::Message& message) {
  if (TWindow* window = FromHandle(message.window)) window->WndProc(message);
}
