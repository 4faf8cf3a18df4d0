// Failures the program swallows (it never stops or shows an error box for them) still leave a
// trace: each one is written as a line of debug output, "RUVANO: " and what failed, which a
// debug-output viewer (DebugView, a debugger) shows, so that a user can attach it to a report.
#pragma once

#include <windows.h>

#include <vector>

#include "zeq/types.h"

namespace ruvano {

// Writes "RUVANO: <what>" with OutputDebugStringW; with a system error code, " (error N)"
// follows. Never throws, never blocks on anything but the debug output itself.
// The last FailureLog::kCapacity lines are also kept, with their local times, for the
// diagnostic window.
void ReportFailure(const wchar_t* what, DWORD error = ERROR_SUCCESS) noexcept;

// The kept failures, oldest first, "YYYY-MM-DD hh:mm:ss what" each.
std::vector<Text> RecentFailures();

}  // namespace ruvano
