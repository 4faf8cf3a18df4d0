// Where the indicator goes while it follows the text caret of the window in front.
#pragma once

#include <cstdint>
#include <optional>

#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano {

// The top-left corner of an indicator of `size` pixels for a caret (physical screen pixels) on
// a monitor whose work area is work: just above the caret, or just below it where above would
// reach over the top of the work area; moved sideways as far as needed to keep the indicator
// inside it. The gap to the caret grows with the size: 2 pixels at 32.
Point PlaceNearCaret(const Rect& caret, const Rect& work, std::int32_t size);

// The caret of w, the window in front, as the first source that knows one on a monitor gives
// it: the system caret of w's thread, then the caret object of w's focused control; the
// indicator there has the size for that monitor's DPI and iconSize (IndicatorSize). Nothing
// when neither shows a caret on any monitor: the indicator then goes to its corner.
std::optional<Point> CaretAnchor(IDesktop& desktop, WindowId w, std::int32_t iconSize);

}  // namespace ruvano
