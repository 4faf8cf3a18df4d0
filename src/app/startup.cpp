#include "app/startup.h"

namespace ruvano {

StartupDecision DecideStartup(const std::vector<Text>& args, IStartupHost& host) {
  if (!args.empty() && args.front() == kWaitSwitch) {
    host.WaitMilliseconds(kWaitSwitchDelayMs);
    return StartupDecision::kRun;
  }
  if (!host.RunningCopyExists()) return StartupDecision::kRun;
  // A plain second start asks the running copy to show itself; a start with arguments it
  // does not understand while a copy runs ends without effect.
  if (args.empty()) host.SendShowRequest();
  return StartupDecision::kEnd;
}

}  // namespace ruvano
