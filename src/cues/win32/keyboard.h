// The keyboard services of the Scroll Lock LED, from user32.
#pragma once

#include "cues/scroll_led.h"

namespace ruvano {

class Win32Keyboard final : public IKeyboard {
 public:
  std::int16_t KeyState(std::uint8_t vk) override;
  std::uint32_t ScanCode(std::uint8_t vk) override;
  void KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
};

}  // namespace ruvano
