#include "monitor/caret_anchor.h"

#include <algorithm>
#include <cstdint>

namespace ruvano {
namespace {

constexpr std::int32_t kIndicatorSize = 32;
constexpr std::int32_t kGap = 2;  // between the caret and the indicator

// The work area for a caret that a source reported. A caret has a height; its width may be 0
// (the line between two characters), and the system finds no monitor for a rectangle without
// area, so the caret counts as at least one pixel wide.
bool WorkAreaForCaret(IDesktop& desktop, Rect caret, Rect& work) {
  if (caret.bottom <= caret.top || caret.right < caret.left) return false;
  caret.right = std::max(caret.right, caret.left + 1);
  return desktop.WorkAreaOf(caret, work);
}

}  // namespace

Point PlaceNearCaret(const Rect& caret, const Rect& work) {
  std::int32_t top = caret.top - kIndicatorSize - kGap;
  if (top < work.top) top = caret.bottom + kGap;
  const std::int32_t left = std::max(std::min(caret.left, work.right - kIndicatorSize), work.left);
  return {left, top};
}

std::optional<Point> CaretAnchor(IDesktop& desktop, WindowId w) {
  Rect caret, work;
  if (desktop.SystemCaret(w, caret) && WorkAreaForCaret(desktop, caret, work))
    return PlaceNearCaret(caret, work);
  if (desktop.AccessibleCaret(w, caret) && WorkAreaForCaret(desktop, caret, work))
    return PlaceNearCaret(caret, work);
  return std::nullopt;
}

}  // namespace ruvano
