#include "ui/win32/program_cues.h"

#include <utility>

namespace ruvano {

std::unique_ptr<ProgramCues> ProgramCues::Create(const Settings& settings, IIndicatorHost& indicatorHost,
                                                 HWND applicationWindow) {
  std::unique_ptr<IndicatorWindow> indicator = IndicatorWindow::Create(indicatorHost, applicationWindow);
  if (!indicator) return nullptr;
  return std::unique_ptr<ProgramCues>(new (std::nothrow)
                                          ProgramCues(settings, applicationWindow, std::move(indicator)));
}

ProgramCues::ProgramCues(const Settings& settings, HWND applicationWindow,
                         std::unique_ptr<IndicatorWindow> indicator)
    : sound_(player_, settings),
      led_(keyboard_, settings),
      hintWindow_(applicationWindow),
      hint_(hintWindow_, settings),
      indicator_(std::move(indicator)) {}

void ProgramCues::TickHint() { hint_.TickHint(); }
void ProgramCues::TriggerHint() { hint_.TriggerHint(); }
void ProgramCues::HideImeHint() { hint_.HideImeHint(); }
// Called once Hint has been switched off: the hint's own handler hides it and clears the
// countdown.
void ProgramCues::ClearHint() { hint_.OnHintOptionChanged(); }

void ProgramCues::PlayCue(bool on) { sound_.PlayCue(on); }
void ProgramCues::ScrollLedOn() { led_.ScrollLedOn(); }
void ProgramCues::ScrollLedOff() { led_.ScrollLedOff(); }

bool ProgramCues::IndicatorVisible() { return indicator_->IndicatorVisible(); }
void ProgramCues::ShowIndicator(std::int32_t left, std::int32_t top) { indicator_->ShowIndicator(left, top); }
void ProgramCues::HideIndicator() { indicator_->HideIndicator(); }
void ProgramCues::CloseIndicator() { indicator_->CloseIndicator(); }
void ProgramCues::SetInputMode(InputMode mode) { indicator_->SetInputMode(mode); }
void ProgramCues::ReraiseIndicator(std::int32_t left, std::int32_t top) { indicator_->Reraise(left, top); }

}  // namespace ruvano
