// The running program, made in one step: the hidden application window that owns the other
// windows, the cues, the monitor that drives them, the indicator and the hidden settings
// window. It loads the settings file before the windows are made and writes it in the close
// query, which runs once whichever way the program ends. A program that could not be made
// whole is not made at all.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "app/win32/application_window.h"
#include "app/win32/close_query.h"
#include "cues/cursor_hint.h"
#include "cues/scroll_led.h"
#include "cues/sound_cue.h"
#include "cues/win32/hint_window.h"
#include "cues/win32/keyboard.h"
#include "cues/win32/sound_player.h"
#include "monitor/cues.h"
#include "monitor/win32/monitor.h"
#include "settings/settings.h"
#include "ui/win32/diagnosis_window.h"
#include "ui/win32/indicator_window.h"
#include "ui/win32/settings_window.h"
#include "zeq/types.h"

namespace ruvano {

class Program final {
 public:
  // Loads the settings from settingsFile (the defaults stay where it cannot be read), makes
  // the windows and starts the monitor. Nothing, with the reason reported, when a window
  // cannot be made.
  static std::unique_ptr<Program> Create(Text settingsFile);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs the message loop until the settings window closes or the loop gives up, then ends
  // the program: the close query runs if it has not run yet and the LED goes dark.
  void Run();

  // The monitor's state, which the soak run watches.
  const Monitor& monitor() const noexcept { return monitor_; }

 private:
  Program(Text settingsFile, std::unique_ptr<AppWindow> application);

  // Brings the cues to what the tick wants.
  void ApplyCues(const WantedCues& wanted);
  void ShowIndicator(Point anchor);
  void HideIndicator(bool close);

  void OnCaretMoved(std::optional<Point> caret) noexcept;
  void LoadSettings() noexcept;
  void OpenSettingsWindow();
  void OpenDiagnosis();
  void OnObserved(const Observation& seen);
  void OnSettingsShown();
  void PrepareEnd() noexcept;
  void OnLogonEnd(bool ending) noexcept;
  void EndProgram() noexcept;

  // Made in this order and torn down in the reverse one: whatever refers to something was
  // made after it.
  Text settingsFile_;
  Settings settings_;
  std::unique_ptr<AppWindow> application_;  // never null
  Win32SoundPlayer player_;
  SoundCue sound_;
  Win32Keyboard keyboard_;
  ScrollLed led_;
  CloseQuery closeQuery_;
  HintWindow hintWindow_;
  CursorHint hint_;
  Monitor monitor_;
  std::unique_ptr<IndicatorWindow> indicator_;
  std::unique_ptr<SettingsWindow> settingsWindow_;
  std::unique_ptr<DiagnosisWindow> diagnosis_;  // made when first asked for
  // What the cues were last brought to: the input mode, and the window and frame the
  // indicator was shown on.
  InputMode mode_ = InputMode::Hiragana;
  WindowId shownOn_ = 0;
  Rect shownFrame_;
};

}  // namespace ruvano
