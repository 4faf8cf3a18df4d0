#include "monitor/caret_anchor.h"

#include <algorithm>
#include <cstdint>

#include "monitor/indicator_size.h"

namespace ruvano {
namespace {

// The work area for a caret that a source reported. A caret has a height; its width may be 0
// (the line between two characters), and the system finds no monitor for a rectangle without
// area, so the caret counts as at least one pixel wide.
bool WorkAreaForCaret(IDesktop& desktop, Rect caret, Rect& work) {
  if (caret.bottom <= caret.top || caret.right < caret.left) return false;
  caret.right = std::max(caret.right, caret.left + 1);
  return desktop.WorkAreaOf(caret, work);
}

}  // namespace

Point PlaceNearCaret(const Rect& caret, const Rect& work, std::int32_t size) {
  const std::int32_t gap = size / 16;
  std::int32_t top = caret.top - size - gap;
  if (top < work.top) top = caret.bottom + gap;
  const std::int32_t left = std::max(std::min(caret.left, work.right - size), work.left);
  return {left, top};
}

std::optional<Point> CaretAnchor(IDesktop& desktop, WindowId w, std::int32_t iconSize) {
  Rect caret, work;
  const bool found = (desktop.SystemCaret(w, caret) && WorkAreaForCaret(desktop, caret, work)) ||
                     (desktop.AccessibleCaret(w, caret) && WorkAreaForCaret(desktop, caret, work));
  if (!found) return std::nullopt;
  return PlaceNearCaret(caret, work, IndicatorSize(desktop.MonitorDpi(caret), iconSize));
}

}  // namespace ruvano
