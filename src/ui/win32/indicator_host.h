// What the indicator window needs from the window that hosts the monitor (the settings
// window): the live settings, the tick timer, and the settings window itself.
#pragma once

#include <windows.h>

#include "settings/settings.h"

namespace ruvano {

class IIndicatorHost {
 public:
  virtual ~IIndicatorHost() = default;

  virtual const Settings& LiveSettings() = 0;

  // Switches the monitor's tick timer off or on. Switching on a timer that already runs
  // must leave it alone (its period does not start anew).
  virtual void SetTickTimerEnabled(bool enabled) = 0;

  virtual bool SettingsWindowVisible() = 0;
  // Shows the settings window; its show handler closes the indicator.
  virtual void ShowSettingsWindow() = 0;
  virtual HWND SettingsWindowHandle() = 0;
};

}  // namespace ruvano
