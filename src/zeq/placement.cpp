#include "zeq/placement.h"

namespace ruvano {
namespace {

// 32-bit arithmetic that wraps instead of overflowing: the coordinates come from the
// system and are never trusted to stay in range.
constexpr std::int32_t Add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t Sub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// Application-bar edges as the system numbers them.
constexpr std::uint32_t kAppBarLeft = 0;
constexpr std::uint32_t kAppBarTop = 1;
constexpr std::uint32_t kAppBarRight = 2;
constexpr std::uint32_t kAppBarBottom = 3;

}  // namespace

bool GetWindowBounds(IPlacementHost& host, WindowId w, Bounds& out) {
  Rect r;
  if (!host.GetValidWindowRect(w, r)) return false;
  out = Bounds{r.left, r.top, Sub(r.right, r.left), Sub(r.bottom, r.top)};
  return true;
}

std::int32_t TaskbarEdgeFromAppBar(std::uint32_t appBarEdge) {
  switch (appBarEdge) {
    case kAppBarLeft: return kTaskbarLeft;
    case kAppBarTop: return kTaskbarTop;
    case kAppBarRight: return kTaskbarRight;
    case kAppBarBottom: return kTaskbarBottom;
    default: return kTaskbarNone;
  }
}

std::int32_t GetTaskbarEdge(IPlacementHost& host, Rect& taskbarRect) {
  TaskbarInfo info;
  if (!host.QueryTaskbar(info)) {
    // No taskbar, or the system could not say where it is: leave the work area as it is.
    taskbarRect = Rect{};
    return kTaskbarNone;
  }
  taskbarRect = info.rect;
  return TaskbarEdgeFromAppBar(info.appBarEdge);
}

ProbePoints MonitorProbePoints(const Bounds& b) {
  const std::int32_t right = Add(b.left, b.width);
  const std::int32_t bottom = Add(b.top, b.height);
  return ProbePoints{{
      {b.left, b.top},
      {right, bottom},
      {right, b.top},
      {b.left, bottom},
      {Add(b.left, HalfTowardZero(b.width)), Add(b.top, HalfTowardZero(b.height))},
  }};
}

bool IsOffAllMonitors(IPlacementHost& host, const Bounds& b) {
  for (const Point& p : MonitorProbePoints(b).p) {
    if (host.IsPointOnMonitor(p)) return false;
  }
  return true;
}

Rect GrowWorkAreaOverTaskbar(Rect wa, std::int32_t edge, const Rect& tb) {
  switch (edge) {
    case kTaskbarTop: wa.top = Sub(wa.top, tb.bottom); break;
    case kTaskbarBottom: wa.bottom = Add(wa.bottom, Sub(tb.bottom, tb.top)); break;
    case kTaskbarLeft: wa.left = Sub(wa.left, tb.right); break;
    case kTaskbarRight: wa.right = Add(wa.right, Sub(tb.right, tb.left)); break;
    default: break;
  }
  return wa;
}

void CentreInWorkArea(IPlacementHost& host, WindowId w) {
  const Rect readArea = host.PrimaryWorkArea();
  Rect taskbar;
  const std::int32_t edge = GetTaskbarEdge(host, taskbar);
  const Rect wa = GrowWorkAreaOverTaskbar(readArea, edge, taskbar);
  Bounds current;
  if (!GetWindowBounds(host, w, current)) return;
  host.MoveWindowTo(w, {HalfTowardZero(Sub(wa.right, current.width)),
                        HalfTowardZero(Sub(wa.bottom, current.height)), current.width, current.height});
}

void EnsureWindowOnScreen(IPlacementHost& host, WindowId w) {
  if (host.IsZoomed(w)) return;
  Bounds b;
  if (!GetWindowBounds(host, w, b) || IsParkedPosition(b.left, b.top) || IsOffAllMonitors(host, b)) {
    CentreInWorkArea(host, w);
  }
}

}  // namespace ruvano
