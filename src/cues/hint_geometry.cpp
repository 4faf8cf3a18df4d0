#include "cues/hint_geometry.h"

namespace ruvano {

Rect HintBoundsAt(Point pointer, const Rect& measured) {
  Rect r = measured;
  r.left += pointer.x + kHintPointerOffset;
  r.right += pointer.x + kHintPointerOffset;
  r.top += pointer.y + kHintPointerOffset;
  r.bottom += pointer.y + kHintPointerOffset;
  r.right += 6;
  r.bottom += 2 + 4;
  return r;
}

Rect ConfineToMonitor(Rect r, const Rect& monitor) {
  const std::int32_t monitorWidth = monitor.right - monitor.left;
  const std::int32_t monitorHeight = monitor.bottom - monitor.top;
  if (r.right - r.left > monitorWidth) r.right = r.left + monitorWidth;
  if (r.bottom - r.top > monitorHeight) r.bottom = r.top + monitorHeight;

  auto moveBy = [&r](std::int32_t dx, std::int32_t dy) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  };
  if (r.bottom > monitor.bottom) moveBy(0, monitor.bottom - r.bottom);
  if (r.right > monitor.right) moveBy(monitor.right - r.right, 0);
  if (r.left < monitor.left) moveBy(monitor.left - r.left, 0);
  // Any part above the monitor's top would be cut off: the hint moves down to the top.
  if (r.top < monitor.top) moveBy(0, monitor.top - r.top);
  return r;
}

HintAnimation ChooseHintAnimation(const HintAnimationInputs& in) {
  const bool quietLongEnough = !in.shownBefore || in.now - in.previousEnd > kHintReshowQuietMs;
  if (!quietLongEnough || in.textLength >= kHintAnimatedTextLimit || !in.tooltipAnimation) {
    return HintAnimation::None;
  }
  if (in.tooltipFade) return HintAnimation::Fade;
  return in.pointerY > in.hintTop ? HintAnimation::SlideUp : HintAnimation::SlideDown;
}

}  // namespace ruvano
