#include "monitor/watch.h"

namespace ruvano {

bool Watch::TickAfter(const Look& look, bool periodic) noexcept {
  const Look previous = previous_;
  previous_ = look;
  if (look.front != settled_) {
    // Confirmed by a second look: the reading stands. A window that never settles still gets
    // every second periodic tick.
    if (look.full && previous == look) {
      settled_ = look.front;
      deferred_ = false;
      return true;
    }
    if (!periodic) return false;
    deferred_ = !deferred_;
    return !deferred_;
  }
  deferred_ = false;
  if (periodic) return true;
  return look.full && (!ticked_.full || look.focus != ticked_.focus || look.ime != ticked_.ime);
}

}  // namespace ruvano
