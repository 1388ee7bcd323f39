// Where tests step in: what the backend asks of the system that the system may refuse (a window,
// a window's frame buffer, a font at a size, a timer: StartTimer in MessageLoop.h), and what a
// test session replaces (the video driver, the clock, the wait, the desktop's resolution). The
// program is linked with SystemCalls.cpp, which asks the system straight away; test builds are
// linked with TestSeam.cpp instead, which can refuse each call first, as a desktop would, can run
// a session with no display on a clock of its own, and lets a test act whenever the program would
// wait.
#pragma once
#include <SDL.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <optional>

#include "platform/Platform.h"

namespace platform {
class FaceFile;
}

namespace platform::detail {

struct SdlWindow;

// Null, with SDL's error set, when refused.
SDL_Window* NewSdlWindow(const char* title, int x, int y, int width, int height, std::uint32_t flags);
SDL_Surface* PaintingFrameBuffer(SdlWindow& window);
// Throws PlatformError when refused.
FT_Face FaceAtSize(FaceFile& file, int emPixels);
// Picks the video driver SDL opens: the desktop session's, ready to be opened. Throws
// PlatformError when there is none.
void ChooseVideoDriver();
int DesktopPixelsPerInch();
void SessionEnded();  // after Shutdown

// What the calls above and AwaitInput and NowMicros do on the desktop, for the seam to call.
SDL_Surface* FrameBuffer(SdlWindow& window);
void ChooseDesktopDriver();
void AwaitEvents(std::optional<std::uint64_t> deadlineMicros);
std::uint64_t BootMicros();  // the time since boot, suspend included, as a tick counter should

}  // namespace platform::detail
