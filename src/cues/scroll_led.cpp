#include "cues/scroll_led.h"

namespace ruvano {

// Both guards compare the whole key state: a key held down (bit 15) matches neither 0 nor
// 1, so nothing is sent while the user holds Scroll Lock; the next call acts on the state
// after the release.
void ScrollLed::On() {
  if (!settings_.Scroll()) return;
  if (keyboard_.KeyState(kVkScroll) != 0) return;
  Toggle();
}

void ScrollLed::Off() {
  if (!settings_.Scroll()) return;
  if (keyboard_.KeyState(kVkScroll) != 1) return;
  Toggle();
}

// A press and a release, each with a fresh scan code. Scroll Lock is no extended key: with
// the extended flag its scan code reads E0 46, which is Break (Ctrl+Pause) to raw-input
// programs and to remote-desktop and virtual-machine clients that pass keys on.
void ScrollLed::Toggle() {
  keyboard_.KeyEvent(kVkScroll, static_cast<std::uint8_t>(keyboard_.ScanCode(kVkScroll)), 0);
  keyboard_.KeyEvent(kVkScroll, static_cast<std::uint8_t>(keyboard_.ScanCode(kVkScroll)), kKeyUp);
}

}  // namespace ruvano
