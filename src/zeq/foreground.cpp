#include "zeq/foreground.h"

namespace ruvano {

bool UsesForcingMethod(const OsVersion& v) {
  return v.platformId == OsVersion::kPlatformNt && v.AtLeast(5, 0);
}

namespace {

// Attaches wnd's thread to the foreground thread for one attempt; true when wnd came to
// the front. Attaching fails for a missing foreground window and for a thread that is
// already the foreground thread, and then nothing else is tried here. A foreground window
// that does not answer is not attached to at all: a thread attached to a hung one can hang
// with it.
bool TryWithAttachedInput(IForegroundSystem& sys, WindowId wnd) {
  const WindowId foreground = sys.ForegroundWindow();
  if (foreground != 0 && !sys.IsResponding(foreground)) return false;
  const std::uint32_t foregroundThread = sys.WindowThreadId(foreground);
  const std::uint32_t targetThread = sys.WindowThreadId(wnd);
  if (!sys.AttachInput(targetThread, foregroundThread, true)) return false;
  sys.BringToTop(wnd);
  sys.SetForeground(wnd);
  sys.AttachInput(targetThread, foregroundThread, false);
  return sys.ForegroundWindow() == wnd;
}

// One attempt with the foreground lock timeout at zero; the timeout is put back to the
// value it had. When that value cannot be read the lock is left alone, so a failed read
// can never leave the user's desktop with a changed setting.
void TryWithLiftedLock(IForegroundSystem& sys, WindowId wnd) {
  std::uint32_t saved = 0;
  const bool haveSaved = sys.ReadForegroundLockTimeout(saved);
  if (haveSaved) sys.WriteForegroundLockTimeout(0);
  sys.BringToTop(wnd);
  sys.SetForeground(wnd);
  if (haveSaved) sys.WriteForegroundLockTimeout(saved);
}

}  // namespace

bool ForceForegroundWindow(IForegroundSystem& sys, WindowId wnd) {
  if (sys.ForegroundWindow() == wnd) return true;

  if (UsesForcingMethod(sys.Version())) {
    if (!TryWithAttachedInput(sys, wnd)) TryWithLiftedLock(sys, wnd);
  } else {
    sys.BringToTop(wnd);
    sys.SetForeground(wnd);
  }
  return sys.ForegroundWindow() == wnd;
}

}  // namespace ruvano
