// The window calls that need nothing of the system beyond the table: enabling, activity, capture,
// destruction.
#include "platform/WindowTable.h"

#include "platform/MessageQueue.h"
#include "platform/TimerTable.h"

namespace platform::detail {

WindowBase* WindowTable::Find(WindowHandle handle) {
  const auto found = windows_.find(handle);
  return found == windows_.end() ? nullptr : found->second.get();
}

WindowBase* WindowTable::FirstNeedingPaint() {
  for (auto& [handle, window] : windows_) {
    if (window->onScreen && !window->update.Empty()) return window.get();
  }
  return nullptr;
}

void WindowTable::Remove(WindowHandle handle) {
  const auto found = windows_.find(handle);
  if (found == windows_.end()) return;
  windows_.erase(found);
  if (active == handle) active = 0;
  if (capture == handle) capture = 0;
}

void WindowTable::Clear() {
  windows_.clear();
  active = capture = 0;
  lastHandle_ = 0;
}

WindowTable& Windows() {
  static WindowTable table;
  return table;
}

}  // namespace platform::detail

namespace platform {

using detail::Windows;

void DestroyWindow(WindowHandle handle) {
  detail::Timers().KillAllOf(handle);
  detail::Queue().ForgetWindow(handle);
  Windows().Remove(handle);
}

void EnableWindow(WindowHandle handle, bool enable) {
  detail::WindowBase* window = Windows().Find(handle);
  if (!window) return;
  window->enabled = enable;
  if (!enable && Windows().capture == handle) Windows().capture = 0;
}

bool IsWindowEnabled(WindowHandle handle) {
  const detail::WindowBase* window = Windows().Find(handle);
  return window && window->enabled;
}

WindowHandle GetActiveWindow() { return Windows().active; }

WindowHandle GetCapture() { return Windows().capture; }

void ReleaseCapture() { Windows().capture = 0; }

}  // namespace platform
