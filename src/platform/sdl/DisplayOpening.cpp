// Opening the display, where SDL trusts what it connects to. A WAYLAND_DISPLAY that names some
// other kind of socket crashes SDL (it takes the missing seat for granted) when the socket closes,
// and holds it in a round trip for ever when the socket never answers. So the program asks the
// compositor itself first, with a deadline, and names what is wrong in one line.
#include "platform/sdl/DisplayOpening.h"

#include <SDL.h>
#include <poll.h>
#include <signal.h>
#include <wayland-client.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace platform::detail {
namespace {

using std::chrono::steady_clock;

// A local compositor answers in milliseconds; one that has not in this long is not going to.
constexpr std::chrono::seconds kPatience{3};

void Announced(void* names, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
  static_cast<std::set<std::string>*>(names)->insert(interface);
}
void Withdrawn(void*, wl_registry*, std::uint32_t) {}
void Done(void* answered, wl_callback*, std::uint32_t) { *static_cast<bool*>(answered) = true; }

const wl_registry_listener kRegistryListener = {Announced, Withdrawn};
const wl_callback_listener kCallbackListener = {Done};

// Why the connection broke, in a few words.
std::string Broken(wl_display* display) {
  const int error = wl_display_get_error(display);
  return error == EPIPE || error == ECONNRESET || error == 0 ? "it closed the connection" : std::strerror(error);
}

// Reads and dispatches until `answered`, the deadline, or a broken connection: the round trip
// of wl_display_roundtrip, with a deadline.
std::string AwaitAnswer(wl_display* display, const bool& answered) {
  const auto deadline = steady_clock::now() + kPatience;
  while (!answered) {
    while (wl_display_prepare_read(display) != 0) {
      if (wl_display_dispatch_pending(display) < 0) return Broken(display);
      if (answered) return {};
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
      wl_display_cancel_read(display);
      return Broken(display);
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
    pollfd readable{wl_display_get_fd(display), POLLIN, 0};
    const int ready = left.count() > 0 ? poll(&readable, 1, static_cast<int>(left.count())) : 0;
    if (ready <= 0) {
      wl_display_cancel_read(display);
      if (ready < 0 && errno == EINTR) continue;
      if (ready < 0) return std::strerror(errno);
      return "it did not answer within " + std::to_string(kPatience.count()) + " s";
    }
    if (wl_display_read_events(display) < 0 || wl_display_dispatch_pending(display) < 0) return Broken(display);
  }
  return {};
}

std::string AskCompositor(wl_display* display) {
  std::set<std::string> globals;
  bool answered = false;
  wl_registry* registry = wl_display_get_registry(display);
  wl_callback* callback = wl_display_sync(display);
  std::string problem = "cannot ask it what it offers";
  if (registry && callback) {
    wl_registry_add_listener(registry, &kRegistryListener, &globals);
    wl_callback_add_listener(callback, &kCallbackListener, &answered);
    problem = AwaitAnswer(display, answered);
  }
  if (callback) wl_callback_destroy(callback);
  if (registry) wl_registry_destroy(registry);
  // SDL needs a seat even for a window nobody types into: without one it crashes.
  for (const char* needed : {"wl_compositor", "wl_seat"}) {
    if (problem.empty() && globals.count(needed) == 0) problem = std::string("it offers no ") + needed;
  }
  return problem;
}

bool WaylandComesFirst() {
  const char* drivers = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return drivers && std::strncmp(drivers, "wayland", 7) == 0 && (drivers[7] == '\0' || drivers[7] == ',');
}

}  // namespace

std::string WaylandRefusal() {
  if (!WaylandComesFirst()) return {};
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return {};  // no socket at all: SDL finds none either, and says so
  const std::string problem = AskCompositor(display);
  wl_display_disconnect(display);
  if (problem.empty()) return {};
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return std::string("WAYLAND_DISPLAY ") + (name ? name : "wayland-0") + " is no Wayland compositor: " + problem;
}

// SDL turns SIGINT and SIGTERM into a quit event at its next pump. While it opens the display
// there is no pump, and a display that never answers would hold the program there for ever, deaf
// to both; so until the display is open they keep their default action, which ends the process,
// and SDL's handling is put back after. SDL puts its handlers in as its event subsystem starts.
int StartVideo() {
  if (SDL_InitSubSystem(SDL_INIT_EVENTS) != 0) return -1;
  struct sigaction byDefault {}, sdlInterrupt {}, sdlTerminate {};
  byDefault.sa_handler = SIG_DFL;
  sigaction(SIGINT, &byDefault, &sdlInterrupt);
  sigaction(SIGTERM, &byDefault, &sdlTerminate);
  const int result = SDL_InitSubSystem(SDL_INIT_VIDEO);
  sigaction(SIGINT, &sdlInterrupt, nullptr);
  sigaction(SIGTERM, &sdlTerminate, nullptr);
  return result;
}

}  // namespace platform::detail
