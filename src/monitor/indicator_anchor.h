// Where the indicator's top-left corner goes for the window in front.
#pragma once

#include <cstdint>

#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano {

// The system's window border for a window at r: iBorderWidth of the non-client metrics (at the
// scale of r's monitor) on Windows 8 and later, else the border multiplier; 0 when the call fails.
std::int32_t ReadBorderMetric(IDesktop& desktop, const Rect& r);

// Sets left/top from the window rectangle r and the icon position (0 top left, 1 top centre,
// 2 bottom left, 3 bottom centre; any other value keeps them) for an indicator of `size`
// pixels (IndicatorSize), whose inset from the window's edges grows with it: 4 pixels at 32.
// The desktop window gets the centre of r whatever the position.
void UpdateIndicatorAnchor(WindowId w, const Rect& r, std::int32_t iconPosition, WindowId desktopWnd,
                           std::int32_t border, std::int32_t size, std::int32_t& left, std::int32_t& top);

}  // namespace ruvano
