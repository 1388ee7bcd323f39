// TranslateMessage and the key state as of the last message taken, over the shared key rules.
#include "platform/KeyCharacters.h"

#include "platform/MessageQueue.h"

namespace platform {

using namespace detail;

void TranslateMessage(const Message& message) {
  if (message.msg != Msg::KeyDown) return;
  if (auto code = CharacterOfKey(static_cast<int>(message.wParam), TakenKeys())) {
    // Next in line, so that it comes before the text of keys typed after this one.
    Queue().PostNext({Msg::Char, message.window, *code, message.lParam});
  }
}

bool IsKeyDown(int virtualKey) { return TakenKeys().IsDown(virtualKey); }

}  // namespace platform
