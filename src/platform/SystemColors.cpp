// The system colours the program can ask for. There is no desktop colour scheme to read on SDL or
// on the page, so these are the classic Windows defaults of the time the program was made: its
// grey button face (0xC0C0C0) is the colour the window was designed on and keeps black text and
// the white score boxes clearly apart from the background.
#include "platform/Platform.h"

namespace platform {

ColorRef GetSysColor(int index) {
  return index == COLOR_BTNFACE ? 0x00C0C0C0 : 0x00000000;  // window text, and anything else, black
}

}  // namespace platform
