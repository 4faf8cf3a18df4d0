#include "monitor/win32/full_screen_win32.h"

#include <windows.h>
#include <shellapi.h>

#include "zeq/win32/handles.h"

namespace ruvano {

// learn.microsoft.com/windows/win32/api/shellapi/nf-shellapi-shqueryusernotificationstate;
// Wine answers QUNS_ACCEPTS_NOTIFICATIONS.
std::optional<NotificationState> Win32FullScreenProbe::UserNotificationState() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(::SHQueryUserNotificationState(&state))) return std::nullopt;
  return static_cast<NotificationState>(state);
}

bool Win32FullScreenProbe::HasCaption(WindowId w) {
  return (static_cast<DWORD>(::GetWindowLongW(ToHwnd(w), GWL_STYLE)) & WS_CAPTION) == WS_CAPTION;
}

bool Win32FullScreenProbe::IsMaximised(WindowId w) { return ::IsZoomed(ToHwnd(w)) != FALSE; }

bool Win32FullScreenProbe::WindowAndMonitor(WindowId w, Rect& window, Rect& monitor) {
  const HWND wnd = ToHwnd(w);
  RECT wr{};
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetWindowRect(wnd, &wr) ||
      !::GetMonitorInfoW(::MonitorFromWindow(wnd, MONITOR_DEFAULTTONEAREST), &info))
    return false;
  window = {wr.left, wr.top, wr.right, wr.bottom};
  monitor = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
  return true;
}

}  // namespace ruvano
