#include "monitor/full_screen.h"

namespace ruvano {
namespace {

bool CoversItsMonitor(IFullScreenProbe& probe, WindowId w) {
  Rect window, monitor;
  return probe.WindowAndMonitor(w, window, monitor) && window.left <= monitor.left &&
         window.top <= monitor.top && window.right >= monitor.right && window.bottom >= monitor.bottom;
}

}  // namespace

bool FullScreenInFront(IFullScreenProbe& probe, WindowId w, bool isDesktop) {
  const std::optional<NotificationState> state = probe.UserNotificationState();
  if (state == NotificationState::PresentationMode) return true;
  if (isDesktop) return false;
  if (state == NotificationState::Busy || state == NotificationState::RunningD3dFullScreen)
    return CoversItsMonitor(probe, w);
  return !probe.HasCaption(w) && !probe.IsMaximised(w) && CoversItsMonitor(probe, w);
}

}  // namespace ruvano
