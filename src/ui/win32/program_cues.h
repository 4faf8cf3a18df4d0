// The program's cues, behind the operations the monitor tick and the settings window call:
// the ON/OFF sounds, the Scroll Lock LED, the cursor hint and the indicator window. The
// indicator and the hint window are made at start-up and live until the program ends.
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
  // settings: the live options; they must outlive this object.
  explicit ProgramCues(const Settings& settings);
  ~ProgramCues() override;
  ProgramCues(const ProgramCues&) = delete;
  ProgramCues& operator=(const ProgramCues&) = delete;

  // Makes the indicator window, hidden, owned by the application window. Until then, and
  // when it cannot be made, the indicator operations do nothing.
  bool CreateIndicator(IIndicatorHost& host, HWND applicationWindow);

  IndicatorWindow* indicator() noexcept { return indicator_.get(); }
  CursorHint* hint() noexcept { return hint_.get(); }

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
  void CreateHintWindow(HWND applicationWindow) override;
  void ClearHint() override;
  void ReraiseIndicator(std::int32_t left, std::int32_t top) override;

 private:
  const Settings& settings_;
  Win32SoundPlayer player_;
  SoundCue sound_;
  Win32Keyboard keyboard_;
  ScrollLed led_;
  std::unique_ptr<HintWindow> hintWindow_;
  std::unique_ptr<CursorHint> hint_;
  std::unique_ptr<IndicatorWindow> indicator_;
};

}  // namespace ruvano
