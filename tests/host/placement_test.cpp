#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "zeq/placement.h"

namespace ruvano {
namespace {

// A desktop of monitor rectangles, one window, a work area and a taskbar; records every
// move and every point asked about.
class FakePlacementHost : public IPlacementHost {
 public:
  FakePlacementHost() { monitors.push_back(Rect{0, 0, 1920, 1080}); }

  std::vector<Rect> monitors;
  Rect windowRect{100, 50, 580, 450};
  bool rectReadable = true;
  bool zoomed = false;
  Rect workArea{0, 0, 1920, 1080};
  bool taskbarKnown = false;
  TaskbarInfo taskbar;

  std::vector<Bounds> moves;
  std::vector<Point> probes;
  int workAreaReads = 0;

  bool GetValidWindowRect(WindowId, Rect& r) override {
    r = windowRect;
    return rectReadable;
  }
  bool IsZoomed(WindowId) override { return zoomed; }
  Rect PrimaryWorkArea() override {
    ++workAreaReads;
    return workArea;
  }
  bool QueryTaskbar(TaskbarInfo& info) override {
    if (taskbarKnown) info = taskbar;
    return taskbarKnown;
  }
  bool IsPointOnMonitor(Point p) override {
    probes.push_back(p);
    for (const Rect& m : monitors)
      if (p.x >= m.left && p.x < m.right && p.y >= m.top && p.y < m.bottom) return true;
    return false;
  }
  void MoveWindowTo(WindowId, const Bounds& b) override { moves.push_back(b); }

  void SetWindow(std::int32_t l, std::int32_t t, std::int32_t w, std::int32_t h) {
    windowRect = {l, t, l + w, t + h};
  }
  void SetTaskbar(std::uint32_t appBarEdge, Rect r) {
    taskbarKnown = true;
    taskbar = {appBarEdge, r};
  }
};

constexpr WindowId kWnd = 0x1234;
// The system's application-bar edges.
constexpr std::uint32_t kAbeLeft = 0, kAbeTop = 1, kAbeRight = 2, kAbeBottom = 3;

TEST(Placement, CentreIsMeasuredFromTheOriginAndKeepsTheSize) {
  // A work area away from the origin tells the centre from the work area's own middle.
  FakePlacementHost host;
  host.workArea = {10, 20, 1930, 1100};
  host.SetWindow(100, 50, 480, 400);
  CentreInWorkArea(host, kWnd);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], (Bounds{725, 350, 480, 400}));
}

TEST(Placement, HalvingTruncatesTowardZero) {
  EXPECT_EQ(HalfTowardZero(1441), 720);
  EXPECT_EQ(HalfTowardZero(-5), -2);
  EXPECT_EQ(HalfTowardZero(-1), 0);

  FakePlacementHost host;
  host.workArea = {0, 0, 1921, 1081};
  host.SetWindow(3, 4, 480, 400);
  CentreInWorkArea(host, kWnd);  // 1441 and 681
  host.workArea = {0, 0, 475, 395};
  CentreInWorkArea(host, kWnd);  // -5 both ways
  ASSERT_EQ(host.moves.size(), 2u);
  EXPECT_EQ(host.moves[0], (Bounds{720, 340, 480, 400}));
  EXPECT_EQ(host.moves[1], (Bounds{-2, -2, 480, 400}));
}

TEST(Placement, WorkAreaGrowsOverTheTaskbarsSide) {
  struct Case {
    const char* name;
    Rect read;
    std::uint32_t appBarEdge;
    Rect taskbar;
    Rect grown;
  };
  const Case cases[] = {
      {"bottom: by the taskbar's height",
       {0, 0, 1920, 1040},
       kAbeBottom,
       {0, 1040, 1920, 1080},
       {0, 0, 1920, 1080}},
      // Top and left subtract the taskbar's far coordinate, not its thickness.
      {"top: by TB.Bottom", {0, 50, 1920, 1080}, kAbeTop, {0, 10, 1920, 50}, {0, 0, 1920, 1080}},
      {"left: by TB.Right", {62, 0, 1920, 1080}, kAbeLeft, {2, 0, 62, 1080}, {0, 0, 1920, 1080}},
      {"right: by the taskbar's width",
       {0, 0, 1858, 1080},
       kAbeRight,
       {1858, 0, 1920, 1080},
       {0, 0, 1920, 1080}},
      {"unknown edge: as read", {0, 0, 1858, 1000}, 7, {1858, 0, 1920, 1080}, {0, 0, 1858, 1000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlacementHost host;
    host.workArea = c.read;
    host.SetTaskbar(c.appBarEdge, c.taskbar);
    Rect tb;
    const std::int32_t edge = GetTaskbarEdge(host, tb);
    EXPECT_EQ(tb, c.taskbar);
    EXPECT_EQ(GrowWorkAreaOverTaskbar(c.read, edge, tb), c.grown);
    // The grown area is what centring uses.
    host.SetWindow(500, 500, 100, 80);
    CentreInWorkArea(host, kWnd);
    ASSERT_EQ(host.moves.size(), 1u);
    EXPECT_EQ(host.moves[0], (Bounds{(c.grown.right - 100) / 2, (c.grown.bottom - 80) / 2, 100, 80}));
  }
}

TEST(Placement, FailedTaskbarQueryLeavesTheWorkAreaAsRead) {
  // No taskbar to be found: edge -1, empty rectangle, work area left as read.
  FakePlacementHost host;
  host.workArea = {0, 0, 1858, 1000};
  Rect tb{1, 2, 3, 4};
  EXPECT_EQ(GetTaskbarEdge(host, tb), kTaskbarNone);
  EXPECT_EQ(tb, Rect{});
  EXPECT_EQ(GrowWorkAreaOverTaskbar(host.workArea, kTaskbarNone, Rect{0, 0, 500, 500}), host.workArea);
  host.SetWindow(10, 10, 100, 100);
  CentreInWorkArea(host, kWnd);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], (Bounds{879, 450, 100, 100}));
}

TEST(Placement, UnreadableBoundsStopBeforeAnyMove) {
  FakePlacementHost host;
  host.windowRect = {-32000, -32000, -31840, -31972};
  host.rectReadable = false;  // minimised
  Bounds b{1, 2, 3, 4};
  EXPECT_FALSE(GetWindowBounds(host, kWnd, b));
  EXPECT_EQ(b, (Bounds{1, 2, 3, 4}));
  CentreInWorkArea(host, kWnd);
  EXPECT_TRUE(host.moves.empty());

  host.rectReadable = true;
  host.windowRect = {-10, 20, 310, 260};
  ASSERT_TRUE(GetWindowBounds(host, kWnd, b));
  EXPECT_EQ(b, (Bounds{-10, 20, 320, 240}));
}

TEST(EnsureOnScreen, WindowOnARemovedMonitorIsCentredOnThePrimary) {
  FakePlacementHost host;
  host.workArea = {0, 0, 1920, 1040};
  host.SetTaskbar(kAbeBottom, {0, 1040, 1920, 1080});
  host.SetWindow(2500, 300, 480, 400);  // where a second monitor used to be
  EnsureWindowOnScreen(host, kWnd);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], (Bounds{720, 340, 480, 400}));
}

TEST(EnsureOnScreen, MaximisedWindowIsLeftAlone) {
  FakePlacementHost host;
  host.zoomed = true;
  host.SetWindow(5000, 5000, 480, 400);
  EnsureWindowOnScreen(host, kWnd);
  host.rectReadable = false;
  EnsureWindowOnScreen(host, kWnd);
  EXPECT_TRUE(host.moves.empty());
  EXPECT_TRUE(host.probes.empty());
}

TEST(EnsureOnScreen, MinimisedWindowIsNotMoved) {
  FakePlacementHost host;
  host.windowRect = {-32000, -32000, -31840, -31972};
  host.rectReadable = false;
  EnsureWindowOnScreen(host, kWnd);
  EXPECT_TRUE(host.moves.empty());
  EXPECT_EQ(host.workAreaReads, 1);  // centring was asked for, and stopped at the bounds
}

TEST(EnsureOnScreen, AWindowStandingAtTheParkingPlaceIsCentredEvenWhereAMonitorCoversIt) {
  FakePlacementHost host;
  host.monitors.push_back({-33000, -33000, -31000, -31000});
  host.SetWindow(-32000, -32000, 480, 400);  // readable: a saved position, not a minimised window
  EnsureWindowOnScreen(host, kWnd);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], (Bounds{720, 340, 480, 400}));
}

TEST(EnsureOnScreen, ProbePointsAreAskedInOrderUntilOneIsOnAMonitor) {
  const Bounds b{100, 50, 480, 400};
  const std::vector<Point> expected{{100, 50}, {580, 450}, {580, 50}, {100, 450}, {340, 250}};
  const ProbePoints pp = MonitorProbePoints(b);
  EXPECT_EQ(std::vector<Point>(pp.p, pp.p + 5), expected);

  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    // A one-pixel monitor under probe point i alone: the window counts as on screen.
    FakePlacementHost host;
    host.monitors = {{expected[i].x, expected[i].y, expected[i].x + 1, expected[i].y + 1}};
    host.SetWindow(b.left, b.top, b.width, b.height);
    EXPECT_FALSE(IsOffAllMonitors(host, b));
    EXPECT_EQ(host.probes, std::vector<Point>(expected.begin(), expected.begin() + i + 1));
    EnsureWindowOnScreen(host, kWnd);
    EXPECT_TRUE(host.moves.empty());
  }

  // The window's own last pixel is not a probe point: with only it on a monitor the window
  // is off every monitor.
  FakePlacementHost host;
  host.monitors = {{579, 449, 580, 450}};
  host.SetWindow(b.left, b.top, b.width, b.height);
  EXPECT_TRUE(IsOffAllMonitors(host, b));
  EXPECT_EQ(host.probes, expected);
  host.probes.clear();
  EnsureWindowOnScreen(host, kWnd);
  ASSERT_EQ(host.moves.size(), 1u);
  EXPECT_EQ(host.moves[0], (Bounds{720, 340, 480, 400}));
}

TEST(EnsureOnScreen, WindowWithOnlyACornerOrTheCentreOnTheMonitorStays) {
  struct Case {
    const char* name;
    Bounds b;
  };
  const Case cases[] = {
      {"top-left corner only", {1800, 1000, 600, 400}},
      {"bottom-right corner only", {-500, -300, 510, 310}},
      {"centre only", {-200, -200, 2300, 1500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakePlacementHost host;
    host.SetWindow(c.b.left, c.b.top, c.b.width, c.b.height);
    EnsureWindowOnScreen(host, kWnd);
    EXPECT_TRUE(host.moves.empty());
  }
}

TEST(EnsureOnScreen, ExtremeCoordinatesDoNotOverflow) {
  // Coordinates near the ends of the 32-bit range wrap instead of being undefined.
  FakePlacementHost host;
  host.windowRect = {INT32_MAX - 10, INT32_MAX - 10, INT32_MAX, INT32_MAX};
  EnsureWindowOnScreen(host, kWnd);
  host.windowRect = {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  EnsureWindowOnScreen(host, kWnd);
  EXPECT_EQ(host.moves.size(), 2u);
}

}  // namespace
}  // namespace ruvano
