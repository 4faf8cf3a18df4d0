// The program's cues, behind the operations the monitor tick and the settings window call:
// the ON/OFF sounds, the Scroll Lock LED, the cursor hint and the indicator window. The
// cues are made whole, with their windows, at start-up and live until the program ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "cues/cursor_hint.h"
#include "cues/scroll_led.h"
#include "cues/sound_cue.h"
#include "cues/win32/hint_window.h"
#include "cues/win32/keyboard.h"
#include "cues/win32/sound_player.h"
#include "settings/settings.h"
#include "ui/win32/indicator_window.h"
#include "ui/win32/indicator_host.h"
#include "ui/win32/settings_window.h"

namespace ruvano {

class ProgramCues final : public IProgramCues {
 public:
  // Makes the cues with their windows, both owned by the application window: the indicator,
  // hidden, and the cursor hint's window object (its system window exists only while a hint
  // is shown). Nothing when the indicator cannot be made. The settings (the live options)
  // and the indicator's host must outlive the cues.
  static std::unique_ptr<ProgramCues> Create(const Settings& settings, IIndicatorHost& indicatorHost,
                                             HWND applicationWindow);
  ProgramCues(const ProgramCues&) = delete;
  ProgramCues& operator=(const ProgramCues&) = delete;

  // The tick's cues.
  void TickHint() override;
  void TriggerHint() override;
  void HideImeHint() override;
  void PlayCue(bool on) override;
  void ScrollLedOn() override;
  void ScrollLedOff() override;
  bool IndicatorVisible() override;
  void ShowIndicator(std::int32_t left, std::int32_t top) override;
  void HideIndicator() override;
  void CloseIndicator() override;
  void SetInputMode(InputMode mode) override;

  // The settings window's.
  void ClearHint() override;
  void ReraiseIndicator(std::int32_t left, std::int32_t top) override;

 private:
  ProgramCues(const Settings& settings, HWND applicationWindow, std::unique_ptr<IndicatorWindow> indicator);

  // Torn down in the reverse order: the indicator, then the hint's countdown before its window.
  Win32SoundPlayer player_;
  SoundCue sound_;
  Win32Keyboard keyboard_;
  ScrollLed led_;
  HintWindow hintWindow_;
  CursorHint hint_;
  std::unique_ptr<IndicatorWindow> indicator_;  // never null
};

}  // namespace ruvano
