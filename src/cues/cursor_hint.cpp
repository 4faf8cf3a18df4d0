#include "cues/cursor_hint.h"

namespace ruvano {

void CursorHint::Tick() {
  if (!settings_.Hint()) return;
  if (ticksLeft >= 1) {
    --ticksLeft;
  } else {
    Hide();
  }
}

void CursorHint::Trigger() {
  if (!settings_.Hint() || ticksLeft >= 1) return;
  Show();
  ticksLeft = kCountdownStart;
}

void CursorHint::Show() {
  const Text& text = settings_.HintString();
  // Without a window the hint does not show; the countdown runs all the same.
  if (!window_.EnsureWindow()) return;

  const Point pointer = window_.PointerPosition();
  Rect bounds = HintBoundsAt(pointer, window_.MeasureText(text));
  bounds = ConfineToMonitor(bounds, window_.MonitorBoundsNear(Point{bounds.left, bounds.top}));

  HintAnimationInputs anim;
  anim.now = window_.TickCount();
  anim.shownBefore = shownBefore_;
  anim.previousEnd = lastActivationEnd_;
  anim.textLength = text.size();
  anim.tooltipAnimation = window_.TooltipAnimation();
  anim.tooltipFade = anim.tooltipAnimation && window_.TooltipFade();
  anim.pointerY = pointer.y;
  anim.hintTop = bounds.top;

  window_.Present(bounds, text, ChooseHintAnimation(anim));
  shownBefore_ = true;
  lastActivationEnd_ = window_.TickCount();
}

void CursorHint::Hide() {
  if (window_.HasWindow()) window_.Discard();
}

void CursorHint::OnHintOptionChanged() {
  if (settings_.Hint()) return;
  Hide();
  ticksLeft = 0;
}

}  // namespace ruvano
