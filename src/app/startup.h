// The start-up decisions of the program: the wait switch and the single-instance rule. The
// program's implementation of IStartupHost is app/win32/single_instance.h.
#pragma once

#include <cstdint>
#include <vector>

#include "zeq/contract_strings.h"
#include "zeq/types.h"

namespace ruvano {

// The wait switch (kWaitSwitch) as the first argument delays the start by a second and skips
// the running-copy check, so a restarting copy can take over while the old one ends. Exact,
// same case: "/W" is an ordinary argument.
inline constexpr std::uint32_t kWaitSwitchDelayMs = 1000;

// What creating the single-instance mutex found.
enum class MarkResult {
  kCreated,  // this copy made it
  kExisted,  // another copy made it first (or made it where this copy may not open it)
  kFailed,   // no mutex: the program runs without the mark
};

class IStartupHost {
 public:
  virtual ~IStartupHost() = default;
  virtual void WaitMilliseconds(std::uint32_t ms) = 0;
  // True when the single-instance mutex exists, that is, another copy runs.
  virtual bool RunningCopyExists() = 0;
  // Asks the running copy to show its settings window; failures are silent.
  virtual void SendShowRequest() = 0;
  // Creates the single-instance mutex, which the program then keeps until it ends.
  virtual MarkResult CreateRunningMark() = 0;
};

enum class StartupDecision {
  kRun,  // go on: create the mutex and the windows
  kEnd,  // another copy runs: end now, creating nothing
};

// Runs the start-up checks for the given arguments (program name excluded): waits after
// "/w", else looks for a running copy and, if there is one, sends it the show request when
// there are no arguments and decides to end. Then creates the mutex; when another copy made
// it in the meantime (two starts at once), this copy ends as if it had found it at the check,
// unless it was started with "/w".
StartupDecision DecideStartup(const std::vector<Text>& args, IStartupHost& host);

}  // namespace ruvano
