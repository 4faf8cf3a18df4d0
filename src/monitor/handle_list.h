// The ordered list of windows whose IME the tick has seen switched on and not yet off.
// Entries are the decimal texts of the handles (digits only, no sign, no leading zeros),
// newest at index 0. Lookup finds the first equal entry.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "zeq/types.h"

namespace ruvano {

class HandleList {
 public:
  static std::string KeyOf(Hwnd w);  // decimal text of the handle

  std::size_t Count() const { return items_.size(); }
  const std::string& At(std::size_t i) const { return items_[i]; }
  int IndexOf(const std::string& key) const;  // -1 when absent
  void InsertFront(std::string key);
  void Delete(std::size_t i);
  void Clear() { items_.clear(); }

 private:
  std::vector<std::string> items_;
};

}  // namespace ruvano
