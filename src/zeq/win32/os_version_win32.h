// The system's version as GetVersionExW reports it (the true one, since the program's
// manifest declares every supported system). ReadOsVersion is the program's one reading of
// it; everything that asks about the version asks through it.
#pragma once

#include "zeq/os_version.h"

namespace ruvano {

// All 0 when the call fails.
OsVersion ReadOsVersion() noexcept;
// Windows 8 (6.2) or any later version.
bool IsWin8OrLater() noexcept;
bool IsWin11() noexcept;

}  // namespace ruvano
