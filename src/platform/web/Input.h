// What the page has seen happen, as window messages: keys, characters, clicks and the focus, taken
// from the page's list when the program asks, and queued with the messages the program posts.
#pragma once
#include "platform/Platform.h"

namespace platform::detail {

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
