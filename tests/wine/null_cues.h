// Cue operations that do nothing, for tests and benchmarks that watch only the tick's state
// or count its system calls.
#pragma once

#include "monitor/cues.h"

namespace ruvano {

class NullMonitorCues : public IMonitorCues {
 public:
  void TickHint() override {}
  void TriggerHint() override {}
  void HideImeHint() override {}
  void PlayCue(bool) override {}
  void ScrollLedOn() override {}
  void ScrollLedOff() override {}
  bool IndicatorVisible() override { return false; }
  void ShowIndicator(std::int32_t, std::int32_t) override {}
  void HideIndicator() override {}
  void CloseIndicator() override {}
  void SetInputMode(InputMode) override {}
};

}  // namespace ruvano
