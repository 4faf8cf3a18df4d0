#include "app/startup.h"

namespace ruvano {

namespace {

// A plain second start asks the running copy to show itself; a start with arguments it does
// not understand while a copy runs ends without effect.
StartupDecision LeaveToRunningCopy(const std::vector<Text>& args, IStartupHost& host) {
  if (args.empty()) host.SendShowRequest();
  return StartupDecision::kEnd;
}

}  // namespace

StartupDecision DecideStartup(const std::vector<Text>& args, IStartupHost& host) {
  const bool waitSwitch = !args.empty() && args.front() == kWaitSwitch;
  if (waitSwitch) {
    host.WaitMilliseconds(kWaitSwitchDelayMs);
  } else if (host.RunningCopyExists()) {
    return LeaveToRunningCopy(args, host);
  }
  // The check and the creation are two steps: a copy started at the same moment may have
  // made the mutex in between. Only the copy that made it runs.
  if (host.CreateRunningMark() == MarkResult::kExisted && !waitSwitch) return LeaveToRunningCopy(args, host);
  return StartupDecision::kRun;
}

}  // namespace ruvano
