// Takes the cues a tick wants and records the changes the tests look for under the names of
// the program's calls; the tick with number throwOnTick (1-based) throws, and so does every
// LED darkening while failLed is set.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "monitor/cues.h"

namespace ruvano::testing {

class RecordingCues {
 public:
  int ticks = 0;
  int throwOnTick = 0;
  bool failLed = false;
  std::vector<std::string> calls;

  void operator()(const WantedCues& wanted) {
    if (wanted.events.countHint && ++ticks == throwOnTick) throw std::runtime_error("tick failure");
    if (wanted.events.sound) calls.push_back(*wanted.events.sound ? "PlayCue(ON)" : "PlayCue(OFF)");
    if (!wanted.looked) return;
    if (!wanted.state.indicator && wanted.events.closeIndicator) CloseIndicator();
    if (wanted.state.led) *wanted.state.led ? ScrollLedOn() : ScrollLedOff();
  }
  void ScrollLedOn() { calls.push_back("ScrollLedOn"); }
  void ScrollLedOff() {
    calls.push_back("ScrollLedOff");
    if (failLed) throw std::runtime_error("led failure");
  }
  void CloseIndicator() { calls.push_back("CloseIndicator"); }
  bool Saw(const std::string& c) const { return std::find(calls.begin(), calls.end(), c) != calls.end(); }
};

}  // namespace ruvano::testing
