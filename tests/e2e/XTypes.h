// The two Xlib types that the test helpers pass around, declared without Xlib itself: its macros
// (None, Bool, Status, Font...) would break the program's headers included beside them. Only the
// .cpp files that talk to the server include <X11/Xlib.h>, after everything else.
#pragma once

struct _XDisplay;  // Xlib's Display

namespace e2e {
using XDisplay = ::_XDisplay;
using XWindow = unsigned long;  // Xlib's Window, an XID
}  // namespace e2e
