// The program's side of SystemCalls.h: every call goes straight to the system.
#include "platform/sdl/SystemCalls.h"

#include "platform/MessageLoop.h"
#include "platform/sdl/DesktopScale.h"
#include "platform/sdl/FaceFile.h"

namespace platform::detail {

SDL_Window* NewSdlWindow(const char* title, int x, int y, int width, int height, std::uint32_t flags) {
  return SDL_CreateWindow(title, x, y, width, height, flags);
}

SDL_Surface* PaintingFrameBuffer(SdlWindow& window) { return FrameBuffer(window); }

FT_Face FaceAtSize(FaceFile& file, int emPixels) { return file.At(emPixels); }

bool StartTimer(WindowHandle window, std::uint32_t id, std::uint32_t periodMs) {
  return StartGrantedTimer(window, id, periodMs);
}

void ChooseVideoDriver() { ChooseDesktopDriver(); }

int DesktopPixelsPerInch() { return DesktopResolution(); }

void SessionEnded() {}

void AwaitInput(std::optional<std::uint64_t> deadlineMicros) { AwaitEvents(deadlineMicros); }

std::uint64_t NowMicros() { return BootMicros(); }

}  // namespace platform::detail
