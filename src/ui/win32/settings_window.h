// The settings window "TmainForm": the program's main window, a dialog made from the template
// IDD_SETTINGS of the resource script. It is created hidden, owned by the application window,
// at the place the settings hold, and keeps that place in step with them; closing it ends the
// program. Its controls are the settings: a click or an edit assigns the field at once, and a
// field assigned elsewhere shows in its control. What its showing, its closing and a message
// from another copy mean for the rest of the program is the owner's, through the events.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <memory>

#include "settings/settings.h"
#include "ui/sign_in_start.h"
#include "ui/win32/run_key_win32.h"
#include "ui/win32/settings_ids.h"
#include "zeq/contract_strings.h"

namespace ruvano {

class SettingsWindow final {
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
    std::function<void()> diagnose;  // the diagnostic window is asked for
  };

  // Makes the window, hidden, owned by the application window, at the place the settings
  // hold or, when that is off every monitor, on the primary one; nothing when the system
  // refuses. The settings must outlive the window.
  static std::unique_ptr<SettingsWindow> Create(Settings& settings, Events events,
                                                HWND applicationWindow) noexcept;
  SettingsWindow(const SettingsWindow&) = delete;
  SettingsWindow& operator=(const SettingsWindow&) = delete;
  ~SettingsWindow();

  HWND hwnd() const noexcept { return hwnd_; }

  // Makes the window visible and raises it; its show handler runs.
  void Show();

  // A message of the loop, offered before it is translated and dispatched: the toolbar's
  // access keys and the dialog keys. True when it was used.
  bool PreTranslateMessage(MSG& msg);

  // What derives from several fields, after the settings were loaded anew: the OFF group
  // enabled exactly while OFF is on, the icon's controls exactly while the icon box is
  // ticked, and the icon caption matching the box.
  void ApplyLoadedState();

 private:
  SettingsWindow(Settings& settings, Events events, HWND applicationWindow);

  static INT_PTR CALLBACK DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  // The window's handling of a message; true when it answered (the dialog's own convention).
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  void OnInitDialog();
  void OnShow();
  void OnCommand(int id, int code);
  void OnSettingChanged(SettingField field);
  void ShowValue(SettingField field);
  void FillToolBar();
  void ShowIconCaption(bool withOpacity);
  void ShowSignIn();
  void FollowWindowPosition();
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

  HWND hwnd_ = nullptr;
  Settings& settings_;
  Events events_;
  HWND applicationWindow_;
  Win32RunKey runKey_;
  SignInStart signIn_{runKey_, ThisExecutablePath()};
  bool updating_ = false;         // the window itself is changing a control: ignore its notifications
  bool followingWindow_ = false;  // the window moved: Settings follow, the window stays
  Settings::Subscription subscription_;
};

}  // namespace ruvano
