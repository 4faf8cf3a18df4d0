// Plain value types shared by the whole program: window handles and rectangles as the
// window manager reports them. Portable: no platform headers.
#pragma once

#include <cstdint>
#include <string>

namespace ruvano {

// A window handle as an unsigned 32-bit value; 0 means "no window". Win32 handles of
// windows are 32-bit significant on 64-bit Windows, so they round-trip through this type
// (back to an HWND by sign extension).
using WindowId = std::uint32_t;

// A rectangle in physical pixels of the virtual screen; right and bottom are one past the
// last pixel, as the system reports window rectangles.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Where the system keeps a minimised window: a window whose top-left corner is at
// (-32000, -32000) lies on no monitor, whatever monitors there are.
inline constexpr std::int32_t kParkedCoordinate = -32000;
constexpr bool IsParkedPosition(std::int32_t left, std::int32_t top) {
  return left == kParkedCoordinate && top == kParkedCoordinate;
}

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

// UTF-16 text, as the system's wide-character calls take and give it.
using Text = std::u16string;

}  // namespace ruvano
