#include "monitor/win32/desktop_win32.h"

#include <windows.h>
#include <dwmapi.h>

#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

WindowId Win32Desktop::ForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

Text Win32Desktop::ClassName(WindowId w) { return ToText(WindowClassName(ToHwnd(w)).view()); }

bool Win32Desktop::IsWindowEnabled(WindowId w) { return ::IsWindowEnabled(ToHwnd(w)) != FALSE; }
bool Win32Desktop::IsWindowVisible(WindowId w) { return ::IsWindowVisible(ToHwnd(w)) != FALSE; }
bool Win32Desktop::IsIconic(WindowId w) { return ::IsIconic(ToHwnd(w)) != FALSE; }
bool Win32Desktop::IsWindow(WindowId w) { return ::IsWindow(ToHwnd(w)) != FALSE; }

// Read once: the version does not change while the program runs, and the tick asks every time.
bool Win32Desktop::IsWin11() { return ruvano::IsWin11(version_); }
bool Win32Desktop::IsWin8OrLater() { return ruvano::IsWin8OrLater(version_); }

Text Win32Desktop::GetWindowProcessPath(WindowId w) {
  return ToText(processPaths_.WindowProcessPath(ToHwnd(w)));
}

WindowId Win32Desktop::GetRootWindow(WindowId w) { return FromHwnd(ruvano::GetRootWindow(ToHwnd(w))); }

WindowId Win32Desktop::HostedAppWindow(WindowId frame) {
  const HWND host = ToHwnd(frame);
  DWORD hostProcess = 0;
  if (!::GetWindowThreadProcessId(host, &hostProcess)) return 0;
  for (HWND child = nullptr;
       (child = ::FindWindowExW(host, child, L"Windows.UI.Core.CoreWindow", nullptr)) != nullptr;) {
    DWORD process = 0;
    if (::GetWindowThreadProcessId(child, &process) && process != hostProcess) return FromHwnd(child);
  }
  return 0;
}

bool Win32Desktop::GetValidWindowRect(WindowId w, Rect& r) {
  RECT wr{};
  const bool ok = ruvano::GetValidWindowRect(ToHwnd(w), wr);
  r = {wr.left, wr.top, wr.right, wr.bottom};
  return ok;
}

// DWMWA_EXTENDED_FRAME_BOUNDS is given in physical pixels whatever the caller's DPI awareness
// (learn.microsoft.com/windows/win32/api/dwmapi/ne-dwmapi-dwmwindowattribute); Wine answers
// E_NOTIMPL.
bool Win32Desktop::VisibleFrame(WindowId w, Rect& r) {
  RECT frame{};
  if (DwmWindowAttribute(ToHwnd(w), DWMWA_EXTENDED_FRAME_BOUNDS, &frame, sizeof(frame)) != S_OK) return false;
  r = {frame.left, frame.top, frame.right, frame.bottom};
  return true;
}

WindowId Win32Desktop::GetFocusedWindow() { return FromHwnd(ruvano::GetFocusedWindow()); }

// A program still busy with the caret thread's question would not answer this one in time
// either: it gives no answer without the wait.
ImeStatus Win32Desktop::ImeOpenStatus(WindowId w) {
  if (const DWORD busy = accessibleCaret_.BusyProcess()) {
    DWORD process = 0;
    if (::GetWindowThreadProcessId(ToHwnd(w), &process) && process == busy) return ImeStatus::NoAnswer;
  }
  return imeProbe_.Ask(ToHwnd(w));
}
std::optional<std::uint32_t> Win32Desktop::ImeConversionMode(WindowId w) {
  return imeProbe_.ConversionMode(ToHwnd(w));
}
bool Win32Desktop::SetImeOpenStatus(WindowId w, bool open) { return imeProbe_.SetOpen(ToHwnd(w), open); }

// By the rectangle rather than the window: that needs no further question about the window.
std::int32_t Win32Desktop::NonClientBorderWidth(const Rect& r) {
  const RECT onto{r.left, r.top, r.right, r.bottom};
  NONCLIENTMETRICSW m{};
  if (!NonClientMetricsForDpi(m, ruvano::MonitorDpi(onto))) return 0;
  return m.iBorderWidth;
}

std::int32_t Win32Desktop::BorderMultiplier() {
  int border = 0;
  if (!::SystemParametersInfoW(SPI_GETBORDER, 0, &border, 0)) return 0;
  return border;
}

bool Win32Desktop::SystemCaret(WindowId w, Rect& r) {
  RECT c{};
  if (!systemCaret_.Read(ToHwnd(w), c)) return false;
  r = {c.left, c.top, c.right, c.bottom};
  return true;
}

bool Win32Desktop::AccessibleCaret(WindowId w, Rect& r) {
  RECT c{};
  // The system caret was asked for just before: its answer names the focused control.
  if (!accessibleCaret_.Read(ToHwnd(w), systemCaret_.FocusSeenFor(ToHwnd(w)), c)) return false;
  r = {c.left, c.top, c.right, c.bottom};
  return true;
}

std::uint32_t Win32Desktop::MonitorDpi(const Rect& r) {
  return ruvano::MonitorDpi(RECT{r.left, r.top, r.right, r.bottom});
}

bool Win32Desktop::WorkAreaOf(const Rect& r, Rect& work) {
  if (workKnown_ && r == workFor_) {
    work = work_;
    return true;
  }
  const RECT onto{r.left, r.top, r.right, r.bottom};
  const HMONITOR monitor = ::MonitorFromRect(&onto, MONITOR_DEFAULTTONULL);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!monitor || !::GetMonitorInfoW(monitor, &info)) return false;
  work = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  workKnown_ = true;
  workFor_ = r;
  work_ = work;
  return true;
}

}  // namespace ruvano
