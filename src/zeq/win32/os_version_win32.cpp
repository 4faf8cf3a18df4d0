#include "zeq/win32/os_version_win32.h"

#include <windows.h>

namespace ruvano {

OsVersion ReadOsVersion() noexcept {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof(v);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // GetVersionExW is deprecated, but it is what tells 10 from 11
#endif
  if (!::GetVersionExW(&v)) return {};
  return {v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber, v.dwPlatformId};
}

bool IsWin8OrLater() noexcept { return IsWin8OrLater(ReadOsVersion()); }
bool IsWin11() noexcept { return IsWin11(ReadOsVersion()); }

}  // namespace ruvano
