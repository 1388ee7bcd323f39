// The posted messages, first in first out, for a backend that keeps its own queue (SDL's, the
// page's). Input messages (keys, characters, clicks) carry the key state as it was when they
// arrived; taking one makes that the state IsKeyDown reports.
#pragma once
#include <cstddef>
#include <deque>
#include <optional>

#include "platform/KeyState.h"
#include "platform/Platform.h"

namespace platform::detail {

class MessageQueue {
 public:
  void Post(const Message& message);
  void PostInput(const Message& message, const KeyState& keys);
  void PostNext(const Message& message);  // ahead of everything already waiting
  // The next message. An input message for a window that has been disabled meanwhile is dropped,
  // though its key state still counts.
  std::optional<Message> Take();
  bool Empty() const { return entries_.empty(); }
  std::size_t Size() const { return entries_.size(); }
  void ForgetWindow(WindowHandle window);
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    Message message;
    std::optional<KeyState> keys;
  };
  std::deque<Entry> entries_;
};

MessageQueue& Queue();

}  // namespace platform::detail
