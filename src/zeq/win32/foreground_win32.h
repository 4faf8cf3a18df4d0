// Foreground activation on Win32: the system calls behind IForegroundSystem.
#pragma once

#include <windows.h>

#include "zeq/foreground.h"

namespace ruvano {

class Win32ForegroundSystem final : public IForegroundSystem {
 public:
  WindowId ForegroundWindow() override;
  bool IsResponding(WindowId w) override;
  std::uint32_t WindowThreadId(WindowId w) override;
  bool AttachInput(std::uint32_t from, std::uint32_t to, bool attach) override;
  void BringToTop(WindowId w) override;
  void SetForeground(WindowId w) override;
  OsVersion Version() override;
  bool ReadForegroundLockTimeout(std::uint32_t& ms) override;
  void WriteForegroundLockTimeout(std::uint32_t ms) override;
};

// Brings wnd to the front with the system's own calls; true when it is in front at return.
bool ForceForegroundWindow(HWND wnd);

}  // namespace ruvano
