// The scale of one monitor. The program is aware of each monitor's DPI, while the plain
// system metrics stay at the scale of the primary monitor at sign-in: text and borders for a
// window on another monitor, or after the scale changed, are read for that monitor's DPI.
#pragma once

#include <windows.h>

namespace ruvano {

// The effective DPI of a monitor; 0 where the system cannot tell (before Windows 8.1).
UINT MonitorDpi(HMONITOR monitor) noexcept;

// The DPI of a window (GetDpiForWindow, Windows 10 1607 and later); 0 where the system cannot
// tell.
UINT WindowDpi(HWND wnd) noexcept;

// The non-client metrics (fonts, border widths) at a DPI, on Windows 10 1607 and later; at
// the system DPI elsewhere, or when dpi is 0. False when the call fails (m is then zeroed
// apart from cbSize).
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& m, UINT dpi) noexcept;

}  // namespace ruvano
