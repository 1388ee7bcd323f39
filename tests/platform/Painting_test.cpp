#include <SDL.h>

#include <array>
#include <vector>

#include "HeadlessPlatform.h"

namespace platform {
namespace {

using Corners = std::array<int, 4>;  // left, top, right, bottom: comparable and printable

Corners Of(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

std::vector<Corners> Of(const std::vector<Rect>& rects) {
  std::vector<Corners> corners;
  for (const Rect& r : rects) corners.push_back(Of(r));
  return corners;
}

using PaintingTest = HeadlessPlatform;

struct Marking {
  Rect area;
  bool whole = false;
  bool erase = false;
};

struct Case {
  const char* name;
  std::vector<Marking> marks;
  std::vector<Corners> update, erase;
};

TEST_F(PaintingTest, ThePaintAreaListsWhatWasMarked) {
  const Corners client{0, 0, 212, 212};
  const std::vector<Case> cases = {
      {"nothing marked, nothing to paint", {}, {}, {}},
      {"two labels, one erased", {{{8, 8, 40, 24}, false, false}, {{100, 50, 150, 70}, false, true}},
       {{8, 8, 40, 24}, {100, 50, 150, 70}}, {{100, 50, 150, 70}}},
      {"the same label twice is painted once", {{{8, 8, 40, 24}}, {{8, 8, 40, 24}}}, {{8, 8, 40, 24}}, {}},
      {"a rectangle inside another folds into it", {{{20, 20, 30, 30}}, {{0, 0, 100, 100}, false, true}},
       {{0, 0, 100, 100}}, {{0, 0, 100, 100}}},
      {"the whole client area absorbs the rest", {{{20, 20, 30, 30}, false, true}, {{}, true, false}},
       {client}, {{20, 20, 30, 30}}},
      {"a rectangle reaching outside is cut to the client area", {{{-10, 200, 50, 300}}}, {{0, 200, 50, 212}}, {}},
      {"empty and outside rectangles mark nothing", {{{5, 5, 5, 40}}, {{300, 0, 400, 10}}}, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    session.Restart();
    WindowOptions options;
    options.clientWidth = options.clientHeight = 212;
    const WindowHandle window = CreateWindow(options);
    for (const Marking& m : c.marks) InvalidateRect(window, m.whole ? nullptr : &m.area, m.erase);

    Message message;
    ASSERT_EQ(PeekMessage(message), !c.update.empty());
    const PaintArea area = BeginPaint(window);
    EXPECT_EQ(Of(area.update), c.update);
    EXPECT_EQ(Of(area.erase), c.erase);
    EndPaint(window, area);
    EXPECT_FALSE(PeekMessage(message)) << "painting clears the marked area";
  }
}

TEST_F(PaintingTest, ManyMarksCollapseIntoTheirBoundingBox) {
  WindowOptions options;
  options.clientWidth = options.clientHeight = 400;
  const WindowHandle window = CreateWindow(options);
  std::vector<Rect> marked;
  for (int i = 0; i < 40; ++i) {
    marked.push_back({i * 10, i * 9, i * 10 + 5, i * 9 + 5});
    InvalidateRect(window, &marked.back(), false);
  }
  const PaintArea area = BeginPaint(window);
  EXPECT_LE(area.update.size(), 16u);
  for (const Rect& r : marked) {
    bool covered = false;
    for (const Rect& u : area.update) covered = covered || (u.left <= r.left && u.top <= r.top && r.right <= u.right && r.bottom <= u.bottom);
    EXPECT_TRUE(covered) << "lost the mark at " << r.left << "," << r.top;
  }
}

TEST_F(PaintingTest, ChangesWithinOneHandlerPaintOnce) {
  const WindowHandle window = ShownWindow();
  Drain();
  for (const Rect& r : {Rect{0, 0, 50, 20}, Rect{60, 0, 120, 20}, Rect{0, 0, 50, 20}}) InvalidateRect(window, &r, false);
  const std::vector<Message> taken = Drain();
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].msg, Msg::Paint);
}

TEST_F(PaintingTest, ShowingAWindowPaintsItAllOnItsFrameBuffer) {
  WindowOptions options;
  options.clientWidth = 212;
  options.clientHeight = 180;
  const WindowHandle window = CreateWindow(options);
  Message message;
  EXPECT_FALSE(PeekMessage(message));
  ShowWindow(window, Show::Normal);
  EXPECT_EQ(GetActiveWindow(), window);

  const PaintArea area = BeginPaint(window);
  EXPECT_EQ(Of(area.update), std::vector<Corners>{(Corners{0, 0, 212, 180})});
  EXPECT_EQ(Of(area.erase), Of(area.update));
  auto* surface = static_cast<SDL_Surface*>(area.canvas.surface);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->w, 212);
  EXPECT_EQ(surface->h, 180);
  EXPECT_EQ(Of(area.canvas.clip), (Corners{0, 0, 212, 180}));
  EXPECT_EQ(testing::WindowCanvas(window).surface, area.canvas.surface) << "tests read the same pixels";
  EndPaint(window, area);
  Drain();

  InvalidateRect(CreateMessageWindow(), nullptr, true);
  EXPECT_FALSE(PeekMessage(message)) << "a message window never paints";
}

}  // namespace
}  // namespace platform
