// The system colours the program can ask for. There is no desktop colour scheme to read here, so
// these are the classic Windows defaults of the time the program was made: its grey button face
// (0xC0C0C0) is the colour the window was designed on and keeps black text and the white score
// boxes clearly apart from the background.
#include "platform/Platform.h"

namespace platform {

ColorRef GetSysColor(int index) {
  switch (index) {
    case 5: return 0x00FFFFFF;   // window background
    case 8: return 0x00000000;   // window text
    case 15: return 0x00C0C0C0;  // button face
    case 16: return 0x00808080;  // button shadow
    case 18: return 0x00000000;  // button text
    case 20: return 0x00FFFFFF;  // button highlight
    default: return 0x00000000;
  }
}

}  // namespace platform
