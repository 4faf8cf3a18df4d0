// The settings window "TmainForm": the program's main window. It is created hidden, owned by
// the application window, at the place the settings hold, and keeps that place in step with
// them; closing it ends the program. What its showing, its closing and a message from another
// copy mean for the rest of the program is the owner's, through the window's events.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "settings/settings.h"
#include "ui/sign_in_start.h"
#include "ui/win32/settings_panel.h"
#include "ui/win32/run_key_win32.h"
#include "ui/win32/settings_panel_host.h"
#include "zeq/contract_strings.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/window.h"

namespace ruvano {

class SettingsWindow final : public Window, private ISettingsPanelHost {
 public:
  static constexpr const wchar_t* kClassName = kSettingsWindowClass;
  static constexpr const wchar_t* kCaption = kProgramCaption;

  struct Events {
    std::function<void()> shown;           // each time the window becomes visible
    std::function<void()> closing;         // asked to close, before the window goes (always allowed)
    std::function<void(bool on)> preview;  // a newly chosen ON or OFF sound, to be played
    std::function<void()> hintSwitchedOff;
    // A WM_COPYDATA from another program: its lParam, a COPYDATASTRUCT* or 0.
    std::function<void(LPARAM)> copyData;
    // The image name of the program in front last before the window showed.
    std::function<Text()> foregroundApp;
    std::function<void()> diagnose;  // the diagnostic window is asked for
  };

  // Makes the window, hidden, owned by the application window, at the place the settings
  // hold or, when that is off every monitor, on the primary one; nothing when the system
  // refuses. The settings must outlive the window.
  static std::unique_ptr<SettingsWindow> Create(Settings& settings, Events events,
                                                HWND applicationWindow) noexcept;
  ~SettingsWindow() override;

  // Makes the window visible and raises it; its show handler runs.
  void Show();

  // A message of the loop, offered before it is translated and dispatched: the toolbar's
  // access keys and the dialog keys. True when it was used.
  bool PreTranslateMessage(MSG& msg);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  SettingsWindow(Settings& settings, Events events, HWND applicationWindow);

  // The panel's host.
  void PlayCue(bool on) override;
  void HideHintNow() override;
  void OpenDiagnosis() override {
    if (events_.diagnose) events_.diagnose();
  }
  void HideSettingsWindow() override;
  void CloseSettingsWindow() override;
  void ClientSizeWanted(int width, int height) override;
  Text ForegroundAppName() override;
  bool StartsAtSignIn() override { return signIn_.On(); }
  bool SetStartAtSignIn(bool on) override { return signIn_.Set(on); }

  bool OnCreate();
  void OnShow();
  void OnActivate(bool active) noexcept;
  void OnSettingChanged(SettingField field);
  void FollowWindowPosition();
  void SetProgramIcons();

  Settings& settings_;
  Events events_;
  HWND applicationWindow_;
  Win32RunKey runKey_;
  SignInStart signIn_{runKey_, ThisExecutablePath()};
  SettingsPanel panel_;
  bool followingWindow_ = false;  // the window moved: Settings follow, the window stays
  HWND lastFocus_ = nullptr;      // the control that had the focus when the window was left
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  Settings::Subscription settingsSubscription_;  // the window's position follows Top and Left
};

}  // namespace ruvano
