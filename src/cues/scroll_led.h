// The Scroll Lock LED as an IME indicator: a synthetic press and release of the Scroll Lock
// key flips its toggle state, and the system lights or darkens the LED to match.
#pragma once

#include <cstdint>

#include "settings/settings.h"

namespace ruvano {

// The keyboard services the LED needs.
class IKeyboard {
 public:
  virtual ~IKeyboard() = default;
  // The key's state as this thread sees it: bit 15 = held down, bit 0 = toggled on.
  virtual std::int16_t KeyState(std::uint8_t vk) = 0;
  // The key's scan code (virtual key to scan code mapping).
  virtual std::uint32_t ScanCode(std::uint8_t vk) = 0;
  // Injects one key event (KEYEVENTF_* flags), with no extra information.
  virtual void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) = 0;
};

class ScrollLed {
 public:
  static constexpr std::uint8_t kVkScroll = 0x91;
  static constexpr std::uint32_t kKeyUp = 0x2;  // KEYEVENTF_KEYUP

  ScrollLed(IKeyboard& keyboard, const Settings& settings) : keyboard_(keyboard), settings_(settings) {}

  // Lights the LED when the option is on and Scroll Lock is off with the key up.
  void On();
  // Darkens the LED when the option is on and Scroll Lock is on with the key up.
  void Off();

 private:
  void Toggle();

  IKeyboard& keyboard_;
  const Settings& settings_;
};

}  // namespace ruvano
