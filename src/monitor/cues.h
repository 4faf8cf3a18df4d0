// The operations that the monitor tick calls to signal the IME state, and what it asks about
// the program's own windows. Each cue carries its own guard (see the implementations); the
// tick applies Mute and OFF itself before PlayCue.
#pragma once

#include <cstdint>

#include "monitor/input_mode.h"
#include "zeq/types.h"

namespace ruvano {

class IMonitorCues {
 public:
  virtual ~IMonitorCues() = default;

  virtual void TickHint() = 0;
  virtual void TriggerHint() = 0;
  virtual void HideImeHint() = 0;

  virtual void PlayCue(bool on) = 0;

  virtual void ScrollLedOn() = 0;
  virtual void ScrollLedOff() = 0;

  virtual bool IndicatorVisible() = 0;
  // Shows the indicator (when hidden and Icon is on) with its top-left corner at the anchor.
  virtual void ShowIndicator(std::int32_t left, std::int32_t top) = 0;
  virtual void HideIndicator() = 0;
  virtual void CloseIndicator() = 0;
  // The input mode of the open IME the indicator stands for (asked for only while the
  // indicator shows the input mode): a visible indicator changes its picture at once.
  virtual void SetInputMode(InputMode mode) = 0;
};

// The program's own windows, as the tick needs to know them.
class IProgramWindows {
 public:
  virtual ~IProgramWindows() = default;
  virtual bool SettingsWindowOnScreen() = 0;
  virtual WindowId ApplicationWindow() = 0;  // the hidden owner of the program's windows
  virtual WindowId DesktopWnd() = 0;         // the desktop window as last found; 0 when none
  // Looks for the desktop window again, keeps what it found as DesktopWnd and returns it.
  virtual WindowId RefindDesktopWnd() = 0;
};

}  // namespace ruvano
