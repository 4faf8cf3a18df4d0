#include "monitor/indicator_anchor.h"

namespace ruvano {
namespace {

// The sums are worked out in 64 bits so that no rectangle, however odd, overflows; the
// result is brought back to 32 bits (it lies between the rectangle's edges for every real
// window). Integer division in C++ truncates toward zero, as the placement wants.
std::int32_t To32(std::int64_t v) { return static_cast<std::int32_t>(v); }

}  // namespace

std::int32_t ReadBorderMetric(IDesktop& desktop, const Rect& r) {
  return desktop.IsWin8OrLater() ? desktop.NonClientBorderWidth(r) : desktop.BorderMultiplier();
}

void UpdateIndicatorAnchor(WindowId w, const Rect& r, std::int32_t iconPosition, WindowId desktopWnd,
                           std::int32_t border, std::int32_t size, std::int32_t& left, std::int32_t& top) {
  const std::int64_t l = r.left, t = r.top, rt = r.right, b = r.bottom;
  const std::int64_t centreX = l + (rt - l) / 2;
  const std::int64_t inset = size / 8;  // from the window's left and top edges
  const std::int64_t nearTop = t + inset;
  const std::int64_t nearBottom = b - size - border;

  switch (iconPosition) {
    case 0:
      top = To32(nearTop);
      left = To32(l + inset);
      break;
    case 1:
      top = To32(nearTop);
      left = To32(centreX);
      break;
    case 2:
      top = To32(nearBottom);
      left = To32(l + inset);
      break;
    case 3:
      top = To32(nearBottom);
      left = To32(centreX);
      break;
    default: break;  // no position chosen: keep the last anchor
  }

  // The desktop gets the indicator's corner at its centre, whatever the position.
  if (desktopWnd != 0 && w == desktopWnd) {
    top = To32(t + (b - t) / 2);
    left = To32(centreX);
  }
}

}  // namespace ruvano
