// Bringing a window to the front also when this process is not the foreground process:
// first with the window's input attached to the foreground thread (never to a thread that
// does not answer), then, if that did not work, with the system's foreground lock lifted for
// one attempt.
#pragma once

#include <cstdint>

#include "zeq/probes.h"
#include "zeq/types.h"

namespace ruvano {

// What foreground activation asks of the window manager.
class IForegroundSystem {
 public:
  virtual ~IForegroundSystem() = default;

  virtual WindowId ForegroundWindow() = 0;  // 0 when there is none
  // False when w's thread does not take messages (the system sees it hung, or it leaves a
  // WM_NULL unanswered for a moment): attaching to its input could block this thread.
  virtual bool IsResponding(WindowId w) = 0;
  virtual std::uint32_t WindowThreadId(WindowId w) = 0;  // 0 for no window or a failed query
  // Attaches (or detaches) the input of thread `from` to thread `to`; false on failure.
  virtual bool AttachInput(std::uint32_t from, std::uint32_t to, bool attach) = 0;
  virtual void BringToTop(WindowId w) = 0;
  virtual void SetForeground(WindowId w) = 0;
  virtual OsVersion Version() = 0;
  // The system-wide foreground lock timeout in milliseconds; false when it cannot be read.
  virtual bool ReadForegroundLockTimeout(std::uint32_t& ms) = 0;
  virtual void WriteForegroundLockTimeout(std::uint32_t ms) = 0;
};

// True when the system lets a process attach thread input and lift the foreground lock
// (Windows 2000 and every later version); older systems, and a version that could not be
// read, get the plain method.
bool UsesForcingMethod(const OsVersion& v);

// Makes wnd the foreground window. The result is whether wnd is the foreground window at
// the moment of return, whichever attempt brought it there.
bool ForceForegroundWindow(IForegroundSystem& sys, WindowId wnd);

}  // namespace ruvano
