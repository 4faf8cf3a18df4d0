// The cursor hint: with Hint on, the moment the input method of the active window turns on,
// the hint text comes up in a tooltip-style window just below and right of the mouse
// pointer and goes away by itself after its countdown (8 ticks of 250 ms).
#pragma once

#include <cstdint>

#include "cues/hint_geometry.h"
#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

// The hint's window and what showing it asks of the system. The system window exists only
// while a hint is shown.
class IHintWindow {
 public:
  virtual ~IHintWindow() = default;

  virtual bool HasWindow() = 0;
  // Creates the hidden system window when it is missing (its surface measures the text);
  // false when it cannot be made.
  virtual bool EnsureWindow() = 0;
  // Destroys the system window, if there is one.
  virtual void Discard() = 0;

  virtual Point PointerPosition() = 0;
  // The text's rectangle as the hint font lays it out from an empty rectangle.
  virtual Rect MeasureText(const Text& text) = 0;
  // The full bounds of the monitor nearest to p.
  virtual Rect MonitorBoundsNear(Point p) = 0;
  virtual std::uint32_t TickCount() = 0;
  virtual bool TooltipAnimation() = 0;
  virtual bool TooltipFade() = 0;

  // Shows the text at `bounds`, topmost and without activation, with the given animation.
  virtual void Present(const Rect& bounds, const Text& text, HintAnimation animation) = 0;
};

class CursorHint {
 public:
  // Ticks a hint stays: the display time over the tick period, in unsigned division.
  static constexpr std::int32_t kCountdownStart =
      static_cast<std::int32_t>(Settings::kHintDisplayMs / Settings::kTimerIntervalMs);

  CursorHint(IHintWindow& window, const Settings& settings) : window_(window), settings_(settings) {}

  // At the very start of every tick: counts a running hint down, and removes it once the
  // count has reached 0.
  void Tick();
  // When the input method of the active window turns on: shows the hint and starts the
  // countdown, unless a countdown is still running (that hint is neither moved nor restarted).
  void Trigger();
  // Shows the hint text at the mouse pointer.
  void Show();
  // Takes the hint off the screen; the countdown goes on.
  void Hide();
  // After the Hint option was switched: switched off, the hint goes at once and the
  // countdown is cleared.
  void OnHintOptionChanged();

  // Ticks the current hint still stays; 0 when none is counting down.
  std::int32_t ticksLeft = 0;

 private:
  IHintWindow& window_;
  const Settings& settings_;
  bool shownBefore_ = false;
  std::uint32_t lastActivationEnd_ = 0;
};

}  // namespace ruvano
