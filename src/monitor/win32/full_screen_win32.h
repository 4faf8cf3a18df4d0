// The facts of a full-screen program, answered by the shell and the window manager.
#pragma once

#include "monitor/full_screen.h"

namespace ruvano {

class Win32FullScreenProbe final : public IFullScreenProbe {
 public:
  std::optional<NotificationState> UserNotificationState() override;
  bool HasCaption(WindowId w) override;
  bool IsMaximised(WindowId w) override;
  bool WindowAndMonitor(WindowId w, Rect& window, Rect& monitor) override;
};

}  // namespace ruvano
