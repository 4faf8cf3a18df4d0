#include "monitor/full_screen.h"

namespace ruvano {

bool IsFullScreenState(NotificationState state) {
  return state == NotificationState::RunningD3dFullScreen || state == NotificationState::PresentationMode ||
         state == NotificationState::Busy;
}

bool FullScreenInFront(IFullScreenProbe& probe, WindowId w, bool isDesktop) {
  const std::optional<NotificationState> state = probe.UserNotificationState();
  if (state && IsFullScreenState(*state)) return true;
  if (isDesktop || probe.HasCaption(w) || probe.IsMaximised(w)) return false;
  Rect window, monitor;
  return probe.WindowAndMonitor(w, window, monitor) && window.left <= monitor.left &&
         window.top <= monitor.top && window.right >= monitor.right && window.bottom >= monitor.bottom;
}

}  // namespace ruvano
