// Where tests step in: what the backend asks of the system that the system may refuse (a window,
// a window's frame buffer, a font at a size, a timer), and the wait of a headless session. The
// program is linked with SystemCalls.cpp, which asks straight away and waits; test builds are
// linked with TestSeam.cpp instead, which can refuse each call first, as a desktop would, and
// lets a test act whenever the program would wait.
#pragma once
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdint>

#include "platform/Platform.h"

namespace platform {
class FaceFile;
}

namespace platform::detail {

struct WindowRecord;

// Null, with SDL's error set, when refused.
SDL_Window* NewSdlWindow(const char* title, int x, int y, int width, int height, std::uint32_t flags);
SDL_Surface* PaintingFrameBuffer(WindowRecord& window);
// Throws PlatformError when refused.
TTF_Font* FaceAtSize(FaceFile& file, int emPixels, int style);
// False when refused.
bool StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);
void WaitHeadless();

// What the calls above do once granted, for the seam to call after it has let one through.
SDL_Surface* FrameBuffer(WindowRecord& window);
bool StartGrantedTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs);  // false for no window
void AdvanceToNextDeadline();

}  // namespace platform::detail
