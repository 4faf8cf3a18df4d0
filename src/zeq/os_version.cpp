#include "zeq/os_version.h"

namespace ruvano {

bool IsWin7OrLater(const OsVersion& v) noexcept { return v.major > 6 || (v.major == 6 && v.minor >= 1); }

bool IsWin8OrLater(const OsVersion& v) noexcept { return (v.major >= 6 && v.minor >= 2) || v.major == 10; }

bool IsWin11(const OsVersion& v) noexcept {
  constexpr std::uint32_t kFirstWin11Build = 22000;
  return v.major == 10 && v.build >= kFirstWin11Build;
}

}  // namespace ruvano
