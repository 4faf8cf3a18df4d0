// Bringing back a window that lies off every monitor: it is centred inside the primary
// monitor's work area. The geometry is portable; the window manager is reached
// through IPlacementHost (the program's implementation: zeq/win32/placement_win32.h).
#pragma once

#include <cstdint>

#include "zeq/types.h"

namespace ruvano {

struct Bounds {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

// Which side of the screen the taskbar sits on.
inline constexpr std::int32_t kTaskbarTop = 0;
inline constexpr std::int32_t kTaskbarBottom = 1;
inline constexpr std::int32_t kTaskbarLeft = 2;
inline constexpr std::int32_t kTaskbarRight = 3;
inline constexpr std::int32_t kTaskbarNone = -1;

// The system's answer to the taskbar-position query: the application-bar edge value as the
// system gives it (0 left, 1 top, 2 right, 3 bottom) and the taskbar's rectangle.
struct TaskbarInfo {
  std::uint32_t appBarEdge = 0;
  Rect rect;
};

class IPlacementHost {
 public:
  virtual ~IPlacementHost() = default;

  // The window's rectangle; false when it can't be read or the window is minimised. r is
  // only meaningful when the result is true. A window that is not minimised but stands at
  // the parking place of minimised windows gives its rectangle.
  virtual bool GetValidWindowRect(WindowId w, Rect& r) = 0;
  virtual bool IsZoomed(WindowId w) = 0;
  // The primary monitor's work area as the system reports it (unchanged Rect on failure).
  virtual Rect PrimaryWorkArea() = 0;
  // The taskbar's position; false when the system could not tell.
  virtual bool QueryTaskbar(TaskbarInfo& info) = 0;
  // True when the point lies on some monitor.
  virtual bool IsPointOnMonitor(Point p) = 0;
  // Moves and sizes the window and repaints it; the result is not looked at.
  virtual void MoveWindowTo(WindowId w, const Bounds& b) = 0;
};

// Integer halving that truncates toward zero (-5 gives -2).
constexpr std::int32_t HalfTowardZero(std::int32_t v) { return v / 2; }

// Reads the window's bounds. False when the rectangle can't be read (or the window is
// minimised); out is then left as it was.
bool GetWindowBounds(IPlacementHost& host, WindowId w, Bounds& out);

// Maps the system's application-bar edge to a taskbar edge code (kTaskbarTop ...
// kTaskbarNone) and gives the taskbar's rectangle. When the query fails the code is
// kTaskbarNone and the rectangle empty.
std::int32_t TaskbarEdgeFromAppBar(std::uint32_t appBarEdge);
std::int32_t GetTaskbarEdge(IPlacementHost& host, Rect& taskbarRect);

// The five points that decide whether a window is on screen, in the order they are asked:
// top-left, one past bottom-right, one past top-right, one past bottom-left, centre.
struct ProbePoints {
  Point p[5];
};
ProbePoints MonitorProbePoints(const Bounds& b);

// True when none of the five probe points lies on a monitor. Stops asking at the first
// point that does.
bool IsOffAllMonitors(IPlacementHost& host, const Bounds& b);

// The work area grown over the taskbar's side, so that with a docked taskbar it is the
// primary monitor's whole rectangle.
Rect GrowWorkAreaOverTaskbar(Rect workArea, std::int32_t edge, const Rect& taskbar);

// Moves the window to the centre of the primary monitor's work area (grown over the
// taskbar), keeping its size. The centre is measured from the screen origin, where the
// primary monitor's top-left corner always lies: it halves WA.Right - width and
// WA.Bottom - height. A window whose bounds can't be read (a minimised one) is not moved.
void CentreInWorkArea(IPlacementHost& host, WindowId w);

// Centres the window on the primary monitor when its bounds can't be read, when it stands
// at the parking place of minimised windows or when none of its probe points lies on a
// monitor. A maximised window is left alone, and so is a minimised one (its bounds can't be
// read, so placement stops).
void EnsureWindowOnScreen(IPlacementHost& host, WindowId w);

}  // namespace ruvano
