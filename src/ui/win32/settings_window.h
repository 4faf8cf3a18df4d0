// The settings window "TmainForm": the program's main window. It is created hidden and owned
// by the application window; it hosts the monitor's 250 ms timer and the tick's state, loads
// the settings file when it is created and writes it whenever it is asked to close, answers
// the "/Show" request of a second copy, and ends the program when it closes.
#pragma once

#include <windows.h>

#include <cstdint>

#include "monitor/cues.h"
#include "monitor/monitor_tick.h"
#include "monitor/win32/desktop_win32.h"
#include "settings/settings.h"
#include "ui/win32/indicator_host.h"
#include "ui/win32/settings_panel.h"
#include "ui/win32/settings_panel_host.h"
#include "zeq/types.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window.h"

namespace ruvano {

// The cue operations as the settings window drives them: the tick's, plus what the window
// itself does with the cursor hint and the indicator.
class IProgramCues : public IMonitorCues {
 public:
  // Makes the cursor hint's window object, owned by the application window (its system
  // window exists only while a hint is shown).
  virtual void CreateHintWindow(HWND applicationWindow) = 0;
  // The hint option was switched off: the hint goes at once and its countdown is cleared.
  virtual void ClearHint() = 0;
  // The program lost the activation: a visible indicator is raised again at the anchor.
  virtual void ReraiseIndicator(std::int32_t left, std::int32_t top) = 0;
};

class SettingsWindow : public Window,
                       public IProgramWindows,
                       public ISettingsPanelHost,
                       public IIndicatorHost {
 public:
  static constexpr const wchar_t* kClassName = L"TmainForm";
  static constexpr const wchar_t* kCaption = L"RUVANO";
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr int kClientWidth = 474;
  static constexpr int kClientHeight = 377;

  // settings: the live options, which this window keeps in step with its position;
  // settingsFile: the file read at creation and written at every close request. Both and
  // the cues must outlive the window.
  SettingsWindow(Settings& settings, IProgramCues& cues, Text settingsFile);
  ~SettingsWindow() override;

  // Creates the window, hidden, owned by the application window. Its creation finds the
  // desktop window, loads the settings file, brings a window saved off every monitor back
  // onto the primary one, makes the hint window and starts the monitor timer. False when
  // the system refuses.
  bool Create(HWND applicationWindow) noexcept;

  // Makes the window visible and raises it; its show handler runs.
  void Show();

  // The program ends by another way than the window's own close (the end of the logon, the
  // message loop giving up): the close query runs unless it has run for this ending
  // already, the monitor stops and the LED goes dark.
  void EndProgram() noexcept;

  // A message of the loop, offered before it is translated and dispatched: the toolbar's
  // access keys and the dialog keys. True when it was used.
  bool PreTranslateMessage(MSG& msg);

  Settings& settings() noexcept { return settings_; }
  MonitorTick& tick() noexcept { return tick_; }
  SettingsPanel& panel() noexcept { return panel_; }
  bool TimerRunning() const noexcept { return timerRunning_; }

  // What the tick asks about the program's windows.
  bool SettingsWindowVisible() override;
  Hwnd ApplicationWindow() override;
  Hwnd DesktopWnd() override;
  Hwnd RefindDesktopWnd() override;

  // What the indicator asks of the window that hosts the monitor. SetTickTimerEnabled
  // switches the monitor's timer off or on; switching on a running timer leaves it alone, and
  // so does switching it on while the program ends.
  const Settings& LiveSettings() override { return settings_; }
  void SetTickTimerEnabled(bool enabled) override;
  void ShowSettingsWindow() override { Show(); }
  HWND SettingsWindowHandle() override { return hwnd(); }

  // What the settings panel asks of its window.
  void PlayCue(bool on) override;
  void HideHintNow() override;
  void HideSettingsWindow() override;
  void CloseSettingsWindow() override;
  void ClientSizeWanted(int width, int height) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnCreate();
  void OnShow();
  void RunCloseQuery() noexcept;
  void QueryEndSession() noexcept;
  void EndSession(bool ending) noexcept;
  void OnCopyData(LPARAM lp);
  void OnDeactivate();
  void OnActivate(bool active) noexcept;
  void OnTimer() noexcept;
  void OnSettingChanged(SettingField field);
  void FollowWindowPosition();
  void SetProgramIcons();

  Settings& settings_;
  IProgramCues& cues_;
  Text settingsFile_;
  Win32Desktop desktop_;
  DesktopWindowFinder desktopWindow_;
  MonitorTick tick_;
  SettingsPanel panel_;
  HWND applicationWindow_ = nullptr;
  bool timerRunning_ = false;
  bool followingWindow_ = false;  // the window moved: Settings follow, the window stays
  HWND lastFocus_ = nullptr;      // the control that had the focus when the window was left
  bool closeQueryRan_ = false;    // the program is ending: the settings were saved for it
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  Settings::Subscription settingsSubscription_;  // the window's position follows Top and Left
};

}  // namespace ruvano
