// Where the indicator goes while it follows the text caret of the window in front.
#pragma once

#include <optional>

#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano {

// The indicator's top-left corner for a caret (physical screen pixels) on a monitor whose work
// area is work: just above the caret, or just below it where above would reach over the top
// of the work area; moved sideways as far as needed to keep the indicator inside it.
Point PlaceNearCaret(const Rect& caret, const Rect& work);

// The caret of w, the window in front, as the first source that knows one on a monitor gives
// it: the system caret of w's thread, then the caret object of w's focused control. Nothing
// when neither shows a caret on any monitor: the indicator then goes to its corner.
std::optional<Point> CaretAnchor(IDesktop& desktop, WindowId w);

}  // namespace ruvano
