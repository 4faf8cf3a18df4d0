// Predicates over the operating system's version numbers, as GetVersionExW reports them.
// Portable: the Windows side reads the numbers and asks these.
#pragma once

#include <cstdint>

namespace ruvano {

struct OsVersion {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;  // VER_PLATFORM_WIN32_NT (2) on every system that runs us
};

// Windows 7 (6.1) or later: any later major version, or 6 with a minor version of 1 or more.
bool IsWin7OrLater(const OsVersion& v) noexcept;

// Windows 8 (6.2) or later: 6.2 and 6.3 count, and so does 10.x. Any other major version
// counts only with a minor version of 2 or more (so 6.1 does not, nor does 11.0).
bool IsWin8OrLater(const OsVersion& v) noexcept;

// Windows 11: the version number stays 10.0; the build number tells it from Windows 10.
bool IsWin11(const OsVersion& v) noexcept;

}  // namespace ruvano
