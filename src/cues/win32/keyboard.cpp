#include "cues/win32/keyboard.h"

#include <windows.h>

namespace ruvano {

std::int16_t Win32Keyboard::KeyState(std::uint8_t vk) { return static_cast<std::int16_t>(::GetKeyState(vk)); }

std::uint32_t Win32Keyboard::ScanCode(std::uint8_t vk) { return ::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC); }

void Win32Keyboard::KeyEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) {
  ::keybd_event(vk, scan, flags, 0);
}

}  // namespace ruvano
