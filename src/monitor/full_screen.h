// Whether a full-screen program (a game, a film, a slide show) is in front, so that the
// monitor rests for it. Portable: the facts come through IFullScreenProbe.
#pragma once

#include <optional>

#include "zeq/types.h"

namespace ruvano {

// What the shell says about the user's readiness for notifications, with the values of
// QUERY_USER_NOTIFICATION_STATE (learn.microsoft.com/windows/win32/api/shellapi/
// ne-shellapi-query_user_notification_state).
enum class NotificationState {
  NotPresent = 1,
  Busy = 2,  // a full-screen application runs, or presentation settings are on
  RunningD3dFullScreen = 3,
  PresentationMode = 4,
  AcceptsNotifications = 5,
  QuietTime = 6,
  App = 7,
};

class IFullScreenProbe {
 public:
  virtual ~IFullScreenProbe() = default;
  // SHQueryUserNotificationState's answer; nothing when it fails.
  virtual std::optional<NotificationState> UserNotificationState() = 0;
  // Whether w's style has every bit of WS_CAPTION (a title bar).
  virtual bool HasCaption(WindowId w) = 0;
  virtual bool IsMaximised(WindowId w) = 0;
  // w's window rectangle and the whole rectangle of the monitor nearest to it; false when
  // either cannot be had.
  virtual bool WindowAndMonitor(WindowId w, Rect& window, Rect& monitor) = 0;
};

// A full-screen program is in front. The shell answers for the whole machine: a busy or
// full-screen Direct3D state counts only when w covers its whole monitor (it may come from a
// program on another monitor, or from an overlay), while presentation mode, which the user
// asked for, counts on its own. Without the shell, w counts when it has no title bar, is not
// maximised (an editor that draws its own title bar fills the screen maximised when the
// taskbar hides) and covers its whole monitor. The desktop window covers its monitor without
// a caption and is no such program. Asks only as far as the answer needs.
bool FullScreenInFront(IFullScreenProbe& probe, WindowId w, bool isDesktop);

}  // namespace ruvano
