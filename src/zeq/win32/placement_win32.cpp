#include "zeq/win32/placement_win32.h"

#include <shellapi.h>

#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

Rect ToRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

bool Win32PlacementHost::GetValidWindowRect(WindowId w, Rect& r) {
  // A minimised window's rectangle is its parking place, not where it opens again.
  RECT wr{};
  if (::IsIconic(ToHwnd(w)) || !::GetWindowRect(ToHwnd(w), &wr)) return false;
  r = ToRect(wr);
  return true;
}

bool Win32PlacementHost::IsZoomed(WindowId w) { return ::IsZoomed(ToHwnd(w)) != FALSE; }

Rect Win32PlacementHost::PrimaryWorkArea() {
  RECT wa{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  return ToRect(wa);
}

bool Win32PlacementHost::QueryTaskbar(TaskbarInfo& info) {
  APPBARDATA abd{};
  abd.cbSize = sizeof(abd);  // the 64-bit structure; a 32-bit size would make the call fail
  if (!::SHAppBarMessage(ABM_GETTASKBARPOS, &abd)) return false;
  info.appBarEdge = abd.uEdge;
  info.rect = ToRect(abd.rc);
  return true;
}

bool Win32PlacementHost::IsPointOnMonitor(Point p) {
  return ::MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONULL) != nullptr;
}

void Win32PlacementHost::MoveWindowTo(WindowId w, const Bounds& b) {
  ::MoveWindow(ToHwnd(w), b.left, b.top, b.width, b.height, TRUE);
}

void EnsureWindowOnScreen(HWND wnd) {
  Win32PlacementHost host;
  EnsureWindowOnScreen(host, FromHwnd(wnd));
}

}  // namespace ruvano
