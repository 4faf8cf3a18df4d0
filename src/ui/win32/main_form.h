// The settings window "TmainForm": the program's main window. It is created hidden and owned
// by the application window; it hosts the monitor's 250 ms timer and the tick's state, and
// tells the tick about the program's own windows.
#pragma once

#include <windows.h>

#include "monitor/cues.h"
#include "monitor/monitor_tick.h"
#include "monitor/win32/desktop_win32.h"
#include "settings/settings.h"
#include "zeq/win32/window.h"

namespace ruvano {

class TmainForm : public Window, public IProgramWindows {
 public:
  static constexpr const wchar_t* kClassName = L"TmainForm";
  static constexpr const wchar_t* kCaption = L"RUVANO";
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr int kClientWidth = 474;
  static constexpr int kClientHeight = 377;

  // The cue operations that the tick drives; they must outlive the window.
  explicit TmainForm(IMonitorCues& cues);

  // Creates the window, hidden, owned by the application window. Its creation finds the
  // desktop window and starts the monitor timer. False when the system refuses.
  bool Create(HWND applicationWindow) noexcept;

  Settings& settings() noexcept { return settings_; }
  MonitorTick& tick() noexcept { return tick_; }

  // What the tick asks about the program's windows.
  bool SettingsWindowVisible() override;
  Hwnd ApplicationWindow() override;
  Hwnd DesktopWnd() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void FormShow();
  void FormCloseQuery();
  void TimerTimer() noexcept;

  IMonitorCues& cues_;
  Settings settings_;
  Win32Desktop desktop_;
  MonitorTick tick_;
  HWND applicationWindow_ = nullptr;
};

}  // namespace ruvano
