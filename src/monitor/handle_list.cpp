#include "monitor/handle_list.h"

namespace ruvano {

int HandleList::IndexOf(WindowId w) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == w) return static_cast<int>(i);
  return -1;
}

void HandleList::InsertFront(WindowId w) { items_.insert(items_.begin(), w); }

void HandleList::Delete(std::size_t i) {
  if (i < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace ruvano
