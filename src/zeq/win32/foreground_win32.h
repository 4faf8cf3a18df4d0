// Foreground activation on Win32: the system calls behind IForegroundSystem.
#pragma once

#include <windows.h>

#include "zeq/foreground.h"

namespace ruvano {

class Win32ForegroundSystem final : public IForegroundSystem {
 public:
  Hwnd ForegroundWindow() override;
  bool IsResponding(Hwnd w) override;
  std::uint32_t WindowThreadId(Hwnd w) override;
  bool AttachInput(std::uint32_t from, std::uint32_t to, bool attach) override;
  void BringToTop(Hwnd w) override;
  void SetForeground(Hwnd w) override;
  OsVersion Version() override;
  bool ReadForegroundLockTimeout(std::uint32_t& ms) override;
  void WriteForegroundLockTimeout(std::uint32_t ms) override;
};

// Brings wnd to the front with the system's own calls; true when it is in front at return.
bool ForceForegroundWindow(HWND wnd);

}  // namespace ruvano
