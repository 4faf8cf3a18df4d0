// The monitor's view of the desktop, answered by Win32: the window queries, the probes and
// the border metrics.
#pragma once

#include <dwmapi.h>

#include "monitor/desktop.h"
#include "monitor/win32/ime_probe_win32.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

class Win32Desktop : public IDesktop {
 public:
  Hwnd ForegroundWindow() override;
  Text ClassName(Hwnd w) override;
  bool IsWindowEnabled(Hwnd w) override;
  bool IsWindowVisible(Hwnd w) override;
  bool IsIconic(Hwnd w) override;
  bool IsWindow(Hwnd w) override;

  bool IsWin11() override;
  bool IsWin8OrLater() override;
  Text GetWindowProcessPath(Hwnd w) override;
  Hwnd GetRootWindow(Hwnd w) override;
  bool GetValidWindowRect(Hwnd w, Rect& r) override;
  bool VisibleFrame(Hwnd w, Rect& r) override;
  Hwnd GetFocusedWindow() override;
  ImeStatus ImeOpenStatus(Hwnd w) override;
  std::optional<std::uint32_t> ImeConversionMode(Hwnd w) override;

  std::int32_t NonClientBorderWidth(const Rect& r) override;
  std::int32_t BorderMultiplier() override;

 private:
  ImeProbe imeProbe_;
  LazyProc<decltype(&::DwmGetWindowAttribute)> dwmGetWindowAttribute_{L"dwmapi.dll", "DwmGetWindowAttribute"};
  ProcessPathReader processPaths_;
};

}  // namespace ruvano
