// The error box is the page's own modal dialog: the caption, our stop sign, the text and OK. The
// program waits in it as a Windows program waits in MessageBox, and like that box it takes the
// messages that come meanwhile and hands them on, so that the game's windows paint and its timers
// tick while it is open. The page keeps the keys from the canvas while the dialog is up.
#include <emscripten/emscripten.h>

#include "platform/web/Input.h"

// False when the box is already open: a failure while it is up gets a box drawn by the program.
EM_JS(bool, quillet_open_stop_box, (const char* textUtf8, const char* captionUtf8), {
  const box = document.getElementById('stopbox');
  if (box.open) return false;
  document.getElementById('stopbox-caption').textContent = UTF8ToString(captionUtf8);
  document.getElementById('stopbox-text').textContent = UTF8ToString(textUtf8);
  if (!box.quilletListening) {
    box.quilletListening = true;
    box.addEventListener('close', () => QuilletPage.stopBoxClosed());
  }
  QuilletPage.stopBoxOpen = QuilletPage.stopBoxShown = true;
  box.showModal();
  box.querySelector('button').focus();
  return true;
});

namespace platform {
namespace {

MessageHandler handler = nullptr;  // where the box's loop hands the messages it takes

}  // namespace

void SetMessageHandler(MessageHandler messageHandler) { handler = messageHandler; }

bool ShowStopBox(WindowHandle, std::string_view text, std::string_view caption) {
  if (!quillet_open_stop_box(AnsiToUtf8(text).c_str(), AnsiToUtf8(caption).c_str())) return false;
  while (detail::StopBoxOpen()) {
    Message message;
    if (handler && PeekMessage(message)) {
      if (message.msg == Msg::Quit) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the program's own loop to see
        break;
      }
      handler(message);
      continue;
    }
    if (handler) {
      WaitMessage();
    } else {
      // Without a handler the messages wait for the program's own loop; only the box's closing counts.
      detail::AwaitPage(-1);
    }
    detail::TakePageInput();
  }
  return true;
}

}  // namespace platform
