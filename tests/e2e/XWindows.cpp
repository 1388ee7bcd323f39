#include "e2e/XWindows.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/XKBlib.h>
#include <X11/Xutil.h>

#include <stdexcept>

namespace e2e {

std::optional<std::string> TitleOf(Display* display, Window window) {
  char* name = nullptr;
  if (!XFetchName(display, window, &name) || !name) return std::nullopt;
  std::string title = name;
  XFree(name);
  return title;
}

std::optional<long> ProcessOf(Display* display, Window window) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  const Atom property = XInternAtom(display, "_NET_WM_PID", False);
  if (XGetWindowProperty(display, window, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &remaining,
                         &data) != Success || !data) {
    return std::nullopt;
  }
  std::optional<long> pid;
  // Xlib hands 32-bit properties over as longs.
  if (type == XA_CARDINAL && format == 32 && count == 1) pid = *reinterpret_cast<long*>(data);
  XFree(data);
  return pid;
}

namespace {
// A window manager puts each top-level window inside a frame of its own, a level or two down.
void CollectTitled(Display* display, Window under, const std::string& title, int depth, std::vector<Window>& found) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, under, &root, &parent, &children, &count)) return;
  // XQueryTree lists children bottom to top: the oldest mapped window first unless restacked.
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable) continue;
    if (TitleOf(display, children[i]) == title) {
      found.push_back(children[i]);
    } else if (depth > 0) {
      CollectTitled(display, children[i], title, depth - 1, found);
    }
  }
  if (children) XFree(children);
}
}  // namespace

std::vector<Window> VisibleWindowsTitled(Display* display, const std::string& title) {
  std::vector<Window> found;
  CollectTitled(display, DefaultRootWindow(display), title, 2, found);
  return found;
}

Placement PlacementOf(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) throw std::runtime_error("the window is gone");
  int x = 0, y = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  return {x, y, attributes.width, attributes.height};
}

SizeLimits SizeLimitsOf(Display* display, Window window) {
  XSizeHints hints{};
  long supplied = 0;
  SizeLimits limits;
  if (!XGetWMNormalHints(display, window, &hints, &supplied)) return limits;
  if (hints.flags & PMinSize) limits.hasMinimum = true, limits.minWidth = hints.min_width, limits.minHeight = hints.min_height;
  if (hints.flags & PMaxSize) limits.hasMaximum = true, limits.maxWidth = hints.max_width, limits.maxHeight = hints.max_height;
  return limits;
}

long MotifFunctionsOf(Display* display, Window window) {
  const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", True);
  if (motif == None) return -1;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long functions = -1;
  if (XGetWindowProperty(display, window, motif, 0, 5, False, motif, &type, &format, &count, &after, &data) == Success &&
      data && format == 32 && count >= 2) {
    const auto* hints = reinterpret_cast<const long*>(data);
    if (hints[0] & 1) functions = hints[1];
  }
  if (data) XFree(data);
  return functions;
}

std::optional<WindowIcon> IconOf(Display* display, Window window) {
  const Atom property = XInternAtom(display, "_NET_WM_ICON", True);
  if (property == None) return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::optional<WindowIcon> icon;
  if (XGetWindowProperty(display, window, property, 0, 1 << 20, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) == Success &&
      data && format == 32 && count >= 2) {
    // Xlib hands 32-bit properties over as longs: width, height, then the pixels.
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    const auto width = values[0], height = values[1];
    if (width > 0 && height > 0 && width * height <= count - 2) {
      icon = WindowIcon{static_cast<int>(width), static_cast<int>(height), {}};
      for (unsigned long i = 0; i < width * height; ++i) icon->argb.push_back(static_cast<std::uint32_t>(values[2 + i]));
    }
  }
  if (data) XFree(data);
  return icon;
}

std::vector<std::string> AtomsOf(Display* display, Window window, const std::string& property) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::vector<std::string> names;
  if (XGetWindowProperty(display, window, XInternAtom(display, property.c_str(), False), 0, 64, False, XA_ATOM, &type,
                         &format, &count, &after, &data) == Success && data && format == 32) {
    for (unsigned long i = 0; i < count; ++i) {
      if (char* name = XGetAtomName(display, reinterpret_cast<const Atom*>(data)[i])) {
        names.emplace_back(name);
        XFree(name);
      }
    }
  }
  if (data) XFree(data);
  return names;
}

Window TransientForOf(Display* display, Window window) {
  Window owner = 0;
  return XGetTransientForHint(display, window, &owner) ? owner : 0;
}

Placement OuterPlacementOf(Display* display, Window window) {
  Placement outer = PlacementOf(display, window);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_FRAME_EXTENTS", False), 0, 4, False, XA_CARDINAL,
                         &type, &format, &count, &after, &data) == Success && data && format == 32 && count == 4) {
    const auto* extents = reinterpret_cast<const long*>(data);  // left, right, top, bottom
    outer = {outer.left - static_cast<int>(extents[0]), outer.top - static_cast<int>(extents[2]),
             outer.width + static_cast<int>(extents[0] + extents[1]), outer.height + static_cast<int>(extents[2] + extents[3])};
  }
  if (data) XFree(data);
  return outer;
}

void SetResources(Display* display, const std::string& resources) {
  XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(resources.data()), static_cast<int>(resources.size()));
  XSync(display, False);
}

void MoveWindow(Display* display, Window window, int left, int top) {
  // _NET_MOVERESIZE_WINDOW with north-west gravity and x, y given: the frame's corner moves there.
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_MOVERESIZE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = NorthWestGravity | 1 << 8 | 1 << 9 | 2 << 12;
  event.xclient.data.l[1] = left;
  event.xclient.data.l[2] = top;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XFlush(display);
}

Image Screenshot(Display* display, const Placement& area) {
  XImage* shot = XGetImage(display, DefaultRootWindow(display), area.left, area.top, static_cast<unsigned>(area.width),
                           static_cast<unsigned>(area.height), AllPlanes, ZPixmap);
  if (!shot) throw std::runtime_error("cannot read the screen");
  Image image{area.width, area.height, {}};
  image.pixels.reserve(static_cast<std::size_t>(area.width * area.height));
  // The 24-bit visual keeps red, green and blue in its masks; the program's colours are 0x00BBGGRR.
  const auto channel = [](unsigned long pixel, unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) mask >>= 1, ++shift;
    return static_cast<platform::ColorRef>((pixel >> shift) & 0xFF);
  };
  for (int y = 0; y < area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const unsigned long pixel = XGetPixel(shot, x, y);
      image.pixels.push_back(channel(pixel, shot->red_mask) | channel(pixel, shot->green_mask) << 8 |
                             channel(pixel, shot->blue_mask) << 16);
    }
  }
  XDestroyImage(shot);
  return image;
}

void PaintOverAndExpose(Display* display, Window window, platform::ColorRef color) {
  XColor exact{};
  exact.red = static_cast<unsigned short>((color & 0xFF) * 0x101);
  exact.green = static_cast<unsigned short>((color >> 8 & 0xFF) * 0x101);
  exact.blue = static_cast<unsigned short>((color >> 16 & 0xFF) * 0x101);
  if (!XAllocColor(display, DefaultColormap(display, DefaultScreen(display)), &exact)) {
    throw std::runtime_error("the server has no colour to paint over the window with");
  }
  const GC gc = XCreateGC(display, window, 0, nullptr);
  XSetForeground(display, gc, exact.pixel);
  const Placement area = PlacementOf(display, window);
  XFillRectangle(display, window, gc, 0, 0, static_cast<unsigned>(area.width), static_cast<unsigned>(area.height));
  XFreeGC(display, gc);
  XClearArea(display, window, 0, 0, 0, 0, True);  // clears nothing (SDL's windows have no background), exposes all
  XFlush(display);
}

void AskToClose(Display* display, Window window) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
}

void DestroyWindow(Display* display, Window window) {
  XDestroyWindow(display, window);
  XSync(display, False);
}

namespace {
void SendKey(Display* display, Window window, int type, unsigned keycode, unsigned state) {
  XEvent event{};
  event.xkey.type = type;
  event.xkey.display = display;
  event.xkey.window = window;
  event.xkey.root = DefaultRootWindow(display);
  event.xkey.time = CurrentTime;
  event.xkey.same_screen = True;
  event.xkey.keycode = keycode;
  event.xkey.state = state;
  XSendEvent(display, window, True, KeyPressMask | KeyReleaseMask, &event);
}
}  // namespace

void SendChord(Display* display, Window window, unsigned modifierKeycode, unsigned modifierMask, unsigned keycode) {
  SendKey(display, window, KeyPress, modifierKeycode, 0);
  SendKey(display, window, KeyPress, keycode, modifierMask);
  SendKey(display, window, KeyRelease, keycode, modifierMask);
  SendKey(display, window, KeyRelease, modifierKeycode, modifierMask);
  XSync(display, False);
}

void SendKeystrokes(Display* display, Window window, unsigned keycode, int times) {
  for (int i = 0; i < times; ++i) {
    SendKey(display, window, KeyPress, keycode, 0);
    SendKey(display, window, KeyRelease, keycode, 0);
  }
  XSync(display, False);
}

KeyPresses::KeyPresses(Display* display, Window window, unsigned keycode)
    : display_(display), window_(window), keycode_(keycode) {
  // Clients select input on a window each for themselves: the owner's own events are untouched.
  XWindowAttributes attributes;
  const long mask = XGetWindowAttributes(display, window, &attributes) ? attributes.your_event_mask : 0;
  XSelectInput(display, window, mask | KeyPressMask);
  XSync(display, False);
}

int KeyPresses::Count() {
  XEvent event;
  while (XCheckTypedWindowEvent(display_, window_, KeyPress, &event)) {
    if (event.xkey.keycode == keycode_) ++count_;
  }
  return count_;
}

unsigned KeycodeOf(Display* display, const std::string& symbol) {
  return XKeysymToKeycode(display, XStringToKeysym(symbol.c_str()));
}

void Focus(Display* display, Window window) {
  XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
  XSync(display, False);
}

void SetKeyRepeat(XDisplay* display, std::chrono::milliseconds delay, std::chrono::milliseconds interval) {
  XKeyboardControl control{};
  control.auto_repeat_mode = AutoRepeatModeOn;
  XChangeKeyboardControl(display, KBAutoRepeatMode, &control);
  if (!XkbSetAutoRepeatRate(display, XkbUseCoreKbd, static_cast<unsigned>(delay.count()),
                            static_cast<unsigned>(interval.count()))) {
    throw std::runtime_error("the server does not let the key repeat rate be set");
  }
  XSync(display, False);
}

}  // namespace e2e
