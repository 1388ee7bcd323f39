#include "platform/MessageQueue.h"

namespace platform::detail {

void MessageQueue::Post(const Message& message) { entries_.push_back({message, std::nullopt}); }

void MessageQueue::PostInput(const Message& message, const KeyState& keys) { entries_.push_back({message, keys}); }

void MessageQueue::PostNext(const Message& message) { entries_.push_front({message, std::nullopt}); }

std::optional<Message> MessageQueue::Take() {
  while (!entries_.empty()) {
    Entry entry = entries_.front();
    entries_.pop_front();
    if (!entry.keys) return entry.message;
    TakenKeys() = *entry.keys;
    if (IsWindowEnabled(entry.message.window)) return entry.message;
  }
  return std::nullopt;
}

void MessageQueue::ForgetWindow(WindowHandle window) {
  std::erase_if(entries_, [&](const Entry& e) { return e.message.window == window; });
}

MessageQueue& Queue() {
  static MessageQueue queue;
  return queue;
}

}  // namespace platform::detail
