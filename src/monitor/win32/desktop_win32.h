// The monitor's view of the desktop, answered by Win32: the window queries, the probes and
// the border metrics.
#pragma once

#include "monitor/desktop.h"
#include "monitor/win32/caret_win32.h"
#include "monitor/win32/ime_probe_win32.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

class Win32Desktop : public IDesktop {
 public:
  WindowId ForegroundWindow() override;
  Text ClassName(WindowId w) override;
  bool IsWindowEnabled(WindowId w) override;
  bool IsWindowVisible(WindowId w) override;
  bool IsIconic(WindowId w) override;
  bool IsWindow(WindowId w) override;

  bool IsWin11() override;
  bool IsWin8OrLater() override;
  Text GetWindowProcessPath(WindowId w) override;
  WindowId GetRootWindow(WindowId w) override;
  WindowId HostedAppWindow(WindowId frame) override;
  bool GetValidWindowRect(WindowId w, Rect& r) override;
  bool VisibleFrame(WindowId w, Rect& r) override;
  WindowId GetFocusedWindow() override;
  ImeStatus ImeOpenStatus(WindowId w) override;
  std::optional<std::uint32_t> ImeConversionMode(WindowId w) override;
  bool SetImeOpenStatus(WindowId w, bool open) override;

  std::int32_t NonClientBorderWidth(const Rect& r) override;
  std::int32_t BorderMultiplier() override;
  std::uint32_t MonitorDpi(const Rect& r) override;

  bool SystemCaret(WindowId w, Rect& r) override;
  bool AccessibleCaret(WindowId w, Rect& r) override;
  bool WorkAreaOf(const Rect& r, Rect& work) override;
  // Where the caret thread posts `message` when an answer comes in.
  void PostCaretAnswersTo(HWND window, UINT message) noexcept {
    accessibleCaret_.PostAnswersTo(window, message);
  }
  // The system caret's place and its work area are kept while the caret stands still; each
  // tick asks afresh.
  void ForgetCaret() noexcept {
    systemCaret_.Forget();
    workKnown_ = false;
  }

 private:
  ImeProbe imeProbe_;
  ruvano::SystemCaret systemCaret_;
  ruvano::AccessibleCaret accessibleCaret_;
  bool workKnown_ = false;
  Rect workFor_;
  Rect work_;
  ProcessPathReader processPaths_;
  const OsVersion version_ = ReadOsVersion();
};

}  // namespace ruvano
