// The operating system's version numbers, as GetVersionExW reports them, and the questions
// the program asks of them. Portable: the Windows side reads the numbers (ReadOsVersion).
#pragma once

#include <cstdint>

namespace ruvano {

struct OsVersion {
  static constexpr std::uint32_t kPlatformNt = 2;  // VER_PLATFORM_WIN32_NT

  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;  // kPlatformNt on every system that runs a 64-bit program

  // True for version wantMajor.wantMinor or any later one; a later major version counts
  // whatever its minor number.
  constexpr bool AtLeast(std::uint32_t wantMajor, std::uint32_t wantMinor) const noexcept {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
  }
};

// Windows 8 (6.2) or any later version.
constexpr bool IsWin8OrLater(const OsVersion& v) noexcept { return v.AtLeast(6, 2); }

// Windows 11: the version number stays 10.0; the build number tells it from Windows 10.
bool IsWin11(const OsVersion& v) noexcept;

}  // namespace ruvano
