// Cues that record the calls the tests look for; the tick with number throwOnTick (1-based)
// throws, and so does every ScrollLedOff while failLed is set.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "null_cues.h"

namespace ruvano::testing {

class RecordingCues : public NullMonitorCues {
 public:
  int ticks = 0;
  int throwOnTick = 0;
  bool failLed = false;
  std::vector<std::string> calls;

  void TickHint() override {
    if (++ticks == throwOnTick) throw std::runtime_error("tick failure");
  }
  void PlayCue(bool on) override { calls.push_back(on ? "PlayCue(ON)" : "PlayCue(OFF)"); }
  void ScrollLedOn() override { calls.push_back("ScrollLedOn"); }
  void ScrollLedOff() override {
    calls.push_back("ScrollLedOff");
    if (failLed) throw std::runtime_error("led failure");
  }
  void CloseIndicator() override { calls.push_back("CloseIndicator"); }
  bool Saw(const std::string& c) const { return std::find(calls.begin(), calls.end(), c) != calls.end(); }
};

}  // namespace ruvano::testing
