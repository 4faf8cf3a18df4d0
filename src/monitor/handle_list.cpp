#include "monitor/handle_list.h"

namespace ruvano {

std::string HandleList::KeyOf(Hwnd w) { return std::to_string(w); }

int HandleList::IndexOf(const std::string& key) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] == key) return static_cast<int>(i);
  return -1;
}

void HandleList::InsertFront(std::string key) { items_.insert(items_.begin(), std::move(key)); }

void HandleList::Delete(std::size_t i) {
  if (i < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
}

}  // namespace ruvano
