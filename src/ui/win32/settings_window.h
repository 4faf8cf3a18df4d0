// The settings window "TmainForm": the program's main window. It is created hidden and owned
// by the application window; it hosts the monitor's 250 ms timer and the tick's state, loads
// the settings file when it is created and writes it whenever it is asked to close, answers
// the "/Show" request of a second copy, and ends the program when it closes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "monitor/cues.h"
#include "monitor/monitor_tick.h"
#include "monitor/win32/desktop_win32.h"
#include "settings/settings.h"
#include "ui/win32/settings_panel.h"
#include "zeq/contract_strings.h"
#include "zeq/types.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window.h"

namespace ruvano {

// The cue operations as the settings window drives them: the tick's, plus what the window
// itself does with the cursor hint and the indicator.
class IProgramCues : public IMonitorCues {
 public:
  // The hint option was switched off: the hint goes at once and its countdown is cleared.
  virtual void ClearHint() = 0;
  // The program lost the activation: a visible indicator is raised again at the anchor.
  virtual void ReraiseIndicator(std::int32_t left, std::int32_t top) = 0;
};

class SettingsWindow final : public Window {
 public:
  static constexpr const wchar_t* kClassName = kSettingsWindowClass;
  static constexpr const wchar_t* kCaption = kProgramCaption;
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr int kClientWidth = 474;
  static constexpr int kClientHeight = 377;

  // Makes the window, hidden, owned by the application window; nothing when the system
  // refuses. Its creation finds the desktop window, loads the settings file, brings a window
  // saved off every monitor back onto the primary one and starts the monitor timer.
  // settings: the live options, which this window keeps in step with its position;
  // settingsFile: the file read at creation and written at every close request. The
  // settings must outlive the window, and the cues its system window.
  static std::unique_ptr<SettingsWindow> Create(Settings& settings, IProgramCues& cues, Text settingsFile,
                                                HWND applicationWindow) noexcept;
  ~SettingsWindow() override;

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

  bool SettingsWindowVisible() const noexcept;
  Hwnd ApplicationWindow() const noexcept;
  Hwnd DesktopWnd() const noexcept;

  // Switches the monitor's timer off or on; switching on a running timer leaves it alone,
  // and so does switching it on while the program ends.
  void SetTickTimerEnabled(bool enabled);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // The window's part in the monitor tick: which windows are the program's own.
  class TickWindows final : public IProgramWindows {
   public:
    explicit TickWindows(SettingsWindow& window) : window_(window) {}
    bool SettingsWindowVisible() override { return window_.SettingsWindowVisible(); }
    Hwnd ApplicationWindow() override { return window_.ApplicationWindow(); }
    Hwnd DesktopWnd() override { return window_.DesktopWnd(); }
    Hwnd RefindDesktopWnd() override;

   private:
    SettingsWindow& window_;
  };

  // The window's part as the settings panel's host.
  class PanelHost final : public ISettingsPanelHost {
   public:
    explicit PanelHost(SettingsWindow& window) : window_(window) {}
    bool SettingsWindowVisible() override { return window_.SettingsWindowVisible(); }
    void PlayCue(bool on) override;
    void HideHintNow() override;
    void HideSettingsWindow() override;
    void CloseSettingsWindow() override;
    void ClientSizeWanted(int width, int height) override;

   private:
    SettingsWindow& window_;
  };

  SettingsWindow(Settings& settings, IProgramCues& cues, Text settingsFile, HWND applicationWindow);

  bool OnCreate();
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
  HWND applicationWindow_;
  Win32Desktop desktop_;
  DesktopWindowFinder desktopWindow_;
  TickWindows tickWindows_{*this};
  MonitorTick tick_;
  PanelHost panelHost_{*this};
  SettingsPanel panel_;
  bool timerRunning_ = false;
  bool followingWindow_ = false;  // the window moved: Settings follow, the window stays
  HWND lastFocus_ = nullptr;      // the control that had the focus when the window was left
  bool closeQueryRan_ = false;    // the program is ending: the settings were saved for it
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  Settings::Subscription settingsSubscription_;  // the window's position follows Top and Left
};

}  // namespace ruvano
