#include "ui/win32/program_cues.h"

namespace ruvano {

ProgramCues::ProgramCues(const Settings& settings)
    : settings_(settings), sound_(player_, settings), led_(keyboard_, settings) {}

// The windows go in the reverse order of their making; the hint's countdown before its window.
ProgramCues::~ProgramCues() {
  indicator_.reset();
  hint_.reset();
  hintWindow_.reset();
}

bool ProgramCues::CreateIndicator(IIndicatorHost& host, HWND applicationWindow) {
  auto indicator = std::make_unique<IndicatorWindow>(host);
  if (!indicator->Create(applicationWindow)) return false;
  indicator_ = std::move(indicator);
  return true;
}

void ProgramCues::CreateHintWindow(HWND applicationWindow) {
  if (hintWindow_) return;
  hintWindow_ = std::make_unique<HintWindow>(applicationWindow);
  hint_ = std::make_unique<CursorHint>(*hintWindow_, settings_);
}

void ProgramCues::TickHint() {
  if (hint_) hint_->TickHint();
}

void ProgramCues::TriggerHint() {
  if (hint_) hint_->TriggerHint();
}

void ProgramCues::HideImeHint() {
  if (hint_) hint_->HideImeHint();
}

// Called once Hint has been switched off: the hint's own handler hides it and clears the
// countdown.
void ProgramCues::ClearHint() {
  if (hint_) hint_->OnHintOptionChanged();
}

void ProgramCues::PlayCue(bool on) { sound_.PlayCue(on); }
void ProgramCues::ScrollLedOn() { led_.ScrollLedOn(); }
void ProgramCues::ScrollLedOff() { led_.ScrollLedOff(); }

bool ProgramCues::IndicatorVisible() { return indicator_ && indicator_->IndicatorVisible(); }

void ProgramCues::ShowIndicator(std::int32_t left, std::int32_t top) {
  if (indicator_) indicator_->ShowIndicator(left, top);
}

void ProgramCues::HideIndicator() {
  if (indicator_) indicator_->HideIndicator();
}

void ProgramCues::CloseIndicator() {
  if (indicator_) indicator_->CloseIndicator();
}

void ProgramCues::SetInputMode(InputMode mode) {
  if (indicator_) indicator_->SetInputMode(mode);
}

void ProgramCues::ReraiseIndicator(std::int32_t left, std::int32_t top) {
  if (indicator_) indicator_->Reraise(left, top);
}

}  // namespace ruvano
