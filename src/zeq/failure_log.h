// The last failures the program swallowed, with their times, for the diagnostic window.
// Recording never allocates: it must work when memory is what ran out. Portable: no
// platform headers; the caller serialises access.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "zeq/types.h"

namespace ruvano {

// A local wall-clock time, as the system gives it.
struct Stamp {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class FailureLog {
 public:
  static constexpr std::size_t kCapacity = 50;
  static constexpr std::size_t kTextLength = 200;  // a longer text is cut

  // Keeps what (up to its terminator) at `when`; the oldest entry goes once the log is full.
  void Record(const Stamp& when, const char16_t* what) noexcept;
  // Oldest first: "YYYY-MM-DD hh:mm:ss what" a line each.
  std::vector<Text> Lines() const;
  std::size_t Count() const noexcept { return count_; }

 private:
  struct Entry {
    Stamp when;
    std::array<char16_t, kTextLength + 1> what{};
  };
  std::array<Entry, kCapacity> entries_{};
  std::size_t next_ = 0;  // where the next entry goes
  std::size_t count_ = 0;
};

}  // namespace ruvano
