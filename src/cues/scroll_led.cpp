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

// A press and a release, both flagged as an extended key, each with a fresh scan code.
void ScrollLed::Toggle() {
  keyboard_.KeyEvent(kVkScroll, static_cast<std::uint8_t>(keyboard_.ScanCode(kVkScroll)), kExtendedKey);
  keyboard_.KeyEvent(kVkScroll, static_cast<std::uint8_t>(keyboard_.ScanCode(kVkScroll)),
                     kExtendedKey | kKeyUp);
}

}  // namespace ruvano
