#include "zeq/win32/monitor_dpi.h"

#include <shellscalingapi.h>

#include "zeq/win32/system_library.h"

namespace ruvano {

UINT MonitorDpi(HMONITOR monitor) noexcept {
  static LazyProc<decltype(&::GetDpiForMonitor)> getDpiForMonitor{L"shcore.dll", "GetDpiForMonitor"};
  UINT x = 0, y = 0;
  if (!monitor || !getDpiForMonitor || getDpiForMonitor.get()(monitor, MDT_EFFECTIVE_DPI, &x, &y) != S_OK)
    return 0;
  return x;
}

UINT WindowDpi(HWND wnd) noexcept {
  static LazyProc<UINT(WINAPI*)(HWND)> getDpiForWindow{L"user32.dll", "GetDpiForWindow"};
  return wnd && getDpiForWindow ? getDpiForWindow.get()(wnd) : 0;
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& m, UINT dpi) noexcept {
  static LazyProc<decltype(&::SystemParametersInfoForDpi)> forDpi{L"user32.dll",
                                                                  "SystemParametersInfoForDpi"};
  m = NONCLIENTMETRICSW{};
  m.cbSize = sizeof(m);
  if (dpi != 0 && forDpi) return forDpi.get()(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0, dpi) != FALSE;
  return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0) != FALSE;
}

}  // namespace ruvano
