// What the page has seen happen, as window messages: keys, characters, clicks and the focus, taken
// from the page's list when the program asks, and queued with the messages the program posts.
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

// Turns everything the page has noticed since the last call into messages.
void TakePageInput();
// Hands the thread back to the browser until the page has input for the program, or until
// `deadline` in page milliseconds (none when negative).
void AwaitPage(double deadline);
// Whether the stop box the page shows is still open.
bool StopBoxOpen();
// The page's listeners on a new window's canvas.
void ListenTo(WindowHandle window);

}  // namespace platform::detail
