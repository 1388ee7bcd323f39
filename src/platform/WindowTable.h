// The program's windows by handle, for a backend that keeps its windows itself (SDL's, the
// page's; Windows keeps its own). Each backend's record derives from WindowBase and holds what
// its system gives a window; destroying the record gives that back. Handles are small integers
// that are never reused within a session, so a handle kept past DestroyWindow finds nothing
// instead of somebody else's window.
#pragma once
#include <cstddef>
#include <map>
#include <memory>

#include "platform/Platform.h"
#include "platform/UpdateRegion.h"

namespace platform::detail {

struct WindowBase {
  virtual ~WindowBase() = default;

  WindowHandle handle = 0;
  bool onScreen = false;  // false for a message window, which only receives timer messages
  bool enabled = true;
  Rect client;            // 0, 0, width, height, in pixels
  UpdateRegion update, erase;

  // The whole client area, background erased: after an exposure, a restore, a show or a resize.
  void InvalidateAll() {
    update.Add(client);
    erase.Add(client);
  }
};

class WindowTable {
 public:
  template <class Record>
  Record& Add(std::unique_ptr<Record> record) {
    record->handle = ++lastHandle_;
    Record& added = *record;
    windows_.emplace(added.handle, std::move(record));
    return added;
  }
  WindowBase* Find(WindowHandle handle);
  // Every record in a session's table is of its backend's one kind.
  template <class Record>
  Record* Find(WindowHandle handle) {
    return static_cast<Record*>(Find(handle));
  }
  // The earliest created window that `matches`.
  template <class Record, class Predicate>
  Record* First(Predicate matches) {
    for (auto& [handle, window] : windows_) {
      if (auto& record = static_cast<Record&>(*window); matches(record)) return &record;
    }
    return nullptr;
  }
  template <class Record, class Action>
  void ForEach(Action act) {
    for (auto& [handle, window] : windows_) act(static_cast<Record&>(*window));
  }
  WindowBase* FirstNeedingPaint();
  void Remove(WindowHandle handle);
  void Clear();  // the end of a session: handles start again
  std::size_t Count() const { return windows_.size(); }

  WindowHandle active = 0;
  WindowHandle capture = 0;

 private:
  std::map<WindowHandle, std::unique_ptr<WindowBase>> windows_;
  WindowHandle lastHandle_ = 0;
};

WindowTable& Windows();

}  // namespace platform::detail
