// The floor for the benchmark's ticks: a bare Xlib client that changes a corner of its window on
// a grid of absolute deadlines and waits for the server to have drawn it, as the game does on
// each tick, with nothing else to do.
//
//   quillet_bench_ticker PERIOD_MS
#include <X11/Xlib.h>
#include <time.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const long period = argc == 2 ? std::atol(argv[1]) : 0;
  Display* display = XOpenDisplay(nullptr);
  if (period <= 0 || !display) {
    std::fprintf(stderr, "usage: quillet_bench_ticker PERIOD_MS, with DISPLAY set\n");
    return 2;
  }
  const int screen = DefaultScreen(display);
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 212, 212, 0,
                                            BlackPixel(display, screen), WhitePixel(display, screen));
  XStoreName(display, window, "QUILLET benchmark ticker");
  XMapWindow(display, window);
  const GC gc = XCreateGC(display, window, 0, nullptr);
  timespec next{};
  clock_gettime(CLOCK_MONOTONIC, &next);
  for (unsigned long tick = 0;; ++tick) {
    XSetForeground(display, gc, tick % 2 ? BlackPixel(display, screen) : WhitePixel(display, screen));
    XFillRectangle(display, window, gc, 0, 0, 40, 20);
    XSync(display, False);
    next.tv_nsec += period * 1'000'000L;
    next.tv_sec += next.tv_nsec / 1'000'000'000L;
    next.tv_nsec %= 1'000'000'000L;
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) == EINTR) {
    }
  }
}
