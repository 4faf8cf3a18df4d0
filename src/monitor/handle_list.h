// The ordered list of windows whose IME the tick has seen switched on and not yet off,
// newest at index 0. Lookup finds the first equal entry.
#pragma once

#include <cstddef>
#include <vector>

#include "zeq/types.h"

namespace ruvano {

class HandleList {
 public:
  std::size_t Count() const { return items_.size(); }
  WindowId At(std::size_t i) const { return items_[i]; }
  int IndexOf(WindowId w) const;  // -1 when absent
  void InsertFront(WindowId w);
  void Delete(std::size_t i);
  void Clear() { items_.clear(); }

 private:
  std::vector<WindowId> items_;
};

}  // namespace ruvano
