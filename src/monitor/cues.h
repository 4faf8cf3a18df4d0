// What the monitor tick wants of the cues after a run, and what it asks about the program's
// own windows. The tick says what it wants; the program compares that with what shows and
// changes only the difference, and plays each one-shot event once. Each cue carries its own
// guard as well (the indicator's Icon option, the LED's Scroll option and the key's real
// state); the tick applies Mute and OFF itself to the sound.
#pragma once

#include <cstdint>
#include <optional>

#include "monitor/input_mode.h"
#include "zeq/types.h"

namespace ruvano {

// The lasting state, kept from run to run; each run judges the LED afresh.
struct CueState {
  // The indicator shows on window, whose visible frame is frame, with its top-left corner at
  // anchor; a change of window or frame shows it afresh, at the anchor of then.
  bool indicator = false;
  WindowId window = 0;
  Rect frame{};
  Point anchor{};
  // The input mode of the open IME the indicator stands for, while it shows the mode.
  InputMode mode = InputMode::Hiragana;
  // The Scroll Lock LED: lit or dark, compared with the key's real state; nothing when the
  // run leaves it as it is (a full-screen program, a window whose IME was never seen on).
  std::optional<bool> led{};
};

// The run's one-shot events.
struct CueEvents {
  bool countHint = false;       // the hint's 250 ms period is due
  std::optional<bool> sound{};  // the ON (true) or OFF (false) sound
  bool triggerHint = false;
  bool hideHint = false;
  bool closeIndicator = false;  // the indicator goes with its close query, not just hidden
};

struct WantedCues {
  // False while the monitor rests for the settings window: only the events count then.
  bool looked = false;
  CueState state{};
  CueEvents events{};
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
