// Where the cursor hint goes and how it comes up: its bounds next to the mouse pointer,
// kept on one monitor, and the tooltip-style animation the system settings ask for.
#pragma once

#include <cstddef>
#include <cstdint>

#include "zeq/types.h"

namespace ruvano {

// The hint's top-left corner lies this far right of and below the pointer.
constexpr std::int32_t kHintPointerOffset = 16;
// How long the hint's show animation lasts.
constexpr std::uint32_t kHintAnimationMs = 100;
// A hint shown sooner than this after the previous one ended comes up without animation.
constexpr std::uint32_t kHintReshowQuietMs = 250;
// Texts of this many UTF-16 code units or more come up without animation.
constexpr std::size_t kHintAnimatedTextLimit = 100;

// The hint window's bounds for a text whose measured rectangle (DT_CALCRECT from an empty
// rectangle) is `measured`: the text size plus 6 by 6 (a one-pixel border and a two-pixel
// margin on every side), with the top-left corner 16 pixels right of and below the pointer.
Rect HintBoundsAt(Point pointer, const Rect& measured);

// Keeps r on the given monitor (its full bounds): cut to the monitor's size, then moved up
// off its bottom, left off its right, right off its left and down off its top, in that order.
Rect ConfineToMonitor(Rect r, const Rect& monitor);

enum class HintAnimation {
  None,
  Fade,       // blend in
  SlideDown,  // roll out downwards
  SlideUp,    // roll out upwards: the hint had to move above the pointer
};

struct HintAnimationInputs {
  std::uint32_t now = 0;          // tick count of this activation, in ms
  bool shownBefore = false;       // whether an activation has ended before
  std::uint32_t previousEnd = 0;  // tick count when it ended
  std::size_t textLength = 0;     // UTF-16 code units
  bool tooltipAnimation = false;  // the system animates tooltips
  bool tooltipFade = false;       // ... and fades rather than slides them
  std::int32_t pointerY = 0;
  std::int32_t hintTop = 0;
};

// A quick re-show, a long text and switched-off tooltip animation give no animation; the
// time check is safe across the tick count's wrap-around.
HintAnimation ChooseHintAnimation(const HintAnimationInputs& in);

}  // namespace ruvano
