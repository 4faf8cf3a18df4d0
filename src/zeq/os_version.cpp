#include "zeq/os_version.h"

namespace ruvano {

bool IsWin11(const OsVersion& v) noexcept {
  constexpr std::uint32_t kFirstWin11Build = 22000;
  return v.major == 10 && v.build >= kFirstWin11Build;
}

}  // namespace ruvano
