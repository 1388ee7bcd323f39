#include "platform/sdl/WindowRegistry.h"

#include "platform/sdl/X11EventTap.h"

namespace platform::detail {
namespace {

// The renderer belongs to the window, so it goes first.
void DestroySdlWindow(WindowRecord& record) {
  record.pixels.reset();
  if (!record.sdl) return;
  ReleaseX11Window(record.sdl);
  SDL_DestroyWindow(record.sdl);
}

}  // namespace

WindowRecord& WindowRegistry::Add(SDL_Window* sdl) {
  auto record = std::make_unique<WindowRecord>();
  record->handle = ++lastHandle_;
  record->sdl = sdl;
  WindowRecord& added = *record;
  windows_.emplace(added.handle, std::move(record));
  return added;
}

WindowRecord* WindowRegistry::Find(WindowHandle handle) {
  auto it = windows_.find(handle);
  return it == windows_.end() ? nullptr : it->second.get();
}

WindowRecord* WindowRegistry::FindBySdlId(std::uint32_t sdlWindowId) {
  if (sdlWindowId == 0) return nullptr;
  for (auto& [handle, record] : windows_) {
    if (record->sdl && SDL_GetWindowID(record->sdl) == sdlWindowId) return record.get();
  }
  return nullptr;
}

WindowRecord* WindowRegistry::FirstOnScreen() {
  for (auto& [handle, record] : windows_) {
    if (record->sdl) return record.get();
  }
  return nullptr;
}

WindowRecord* WindowRegistry::FirstNeedingPaint() {
  for (auto& [handle, record] : windows_) {
    if (!record->update.Empty()) return record.get();
  }
  return nullptr;
}

void WindowRegistry::Remove(WindowHandle handle) {
  auto it = windows_.find(handle);
  if (it == windows_.end()) return;
  DestroySdlWindow(*it->second);
  windows_.erase(it);
  if (active == handle) active = 0;
  if (capture == handle) capture = 0;
}

void WindowRegistry::Clear() {
  for (auto& [handle, record] : windows_) DestroySdlWindow(*record);
  windows_.clear();
  active = capture = 0;
  lastHandle_ = 0;
}

WindowRegistry& Windows() {
  static WindowRegistry registry;
  return registry;
}

}  // namespace platform::detail
