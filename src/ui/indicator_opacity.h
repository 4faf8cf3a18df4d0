// The indicator's opacity: the opacity setting in per cent mapped to a layered window's
// constant alpha, and which window change a new opacity needs.
#pragma once

#include <cstdint>

namespace ruvano {

struct IndicatorOpacity {
  bool layered = false;      // below 100 % the window is layered with a constant alpha
  std::uint8_t alpha = 255;  // position × 255 div 100; 255 at 100 %
  friend bool operator==(const IndicatorOpacity&, const IndicatorOpacity&) = default;
};

// The opacity for a track bar position in per cent; positions outside 10..100 are taken
// as the nearest bound.
IndicatorOpacity OpacityForPosition(std::int32_t position);

enum class BlendChange {
  None,     // the window already looks as wanted: no call at all
  Layer,    // add WS_EX_LAYERED if missing and set the constant alpha
  Unlayer,  // remove WS_EX_LAYERED and redraw the window
};

// What turns a window that shows `current` into one that shows `wanted`.
BlendChange BlendChangeFor(const IndicatorOpacity& current, const IndicatorOpacity& wanted);

}  // namespace ruvano
