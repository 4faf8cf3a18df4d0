// The close query: the LED goes dark, then the settings file is written. It runs once for an
// ending of the program, whichever way the ending comes; a logon end that is called off lets
// the next ending run it again.
#pragma once

#include "cues/scroll_led.h"
#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

class CloseQuery {
 public:
  // The LED, the settings and the file's path (empty: nothing is written) must outlive it.
  CloseQuery(ScrollLed& led, const Settings& settings, const Text& settingsFile) noexcept
      : led_(led), settings_(settings), settingsFile_(settingsFile) {}

  // Each step stands on its own: the LED goes dark even when the file cannot be written, and
  // a failing step is reported, never passed on.
  void Run() noexcept;
  void CalledOff() noexcept { ran_ = false; }

 private:
  ScrollLed& led_;
  const Settings& settings_;
  const Text& settingsFile_;
  bool ran_ = false;
};

}  // namespace ruvano
