#include "zeq/win32/foreground_win32.h"

#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

WindowId Win32ForegroundSystem::ForegroundWindow() { return FromHwnd(::GetForegroundWindow()); }

bool Win32ForegroundSystem::IsResponding(WindowId w) {
  // How long a foreground program may take to answer before it counts as not answering.
  constexpr UINT kProbeTimeoutMs = 200;
  HWND wnd = ToHwnd(w);
  if (::IsHungAppWindow(wnd)) return false;
  // SMTO_BLOCK: no other message of this thread runs while it waits.
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kProbeTimeoutMs, &result) !=
         0;
}

std::uint32_t Win32ForegroundSystem::WindowThreadId(WindowId w) {
  return ::GetWindowThreadProcessId(ToHwnd(w), nullptr);
}

bool Win32ForegroundSystem::AttachInput(std::uint32_t from, std::uint32_t to, bool attach) {
  return ::AttachThreadInput(from, to, attach ? TRUE : FALSE) != FALSE;
}

void Win32ForegroundSystem::BringToTop(WindowId w) { ::BringWindowToTop(ToHwnd(w)); }

void Win32ForegroundSystem::SetForeground(WindowId w) { ::SetForegroundWindow(ToHwnd(w)); }

OsVersion Win32ForegroundSystem::Version() { return ReadOsVersion(); }

bool Win32ForegroundSystem::ReadForegroundLockTimeout(std::uint32_t& ms) {
  DWORD value = 0;
  if (!::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0)) return false;
  ms = value;
  return true;
}

void Win32ForegroundSystem::WriteForegroundLockTimeout(std::uint32_t ms) {
  // The new value travels in the pointer argument; the change is broadcast but never
  // written to the user profile.
  ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<void*>(static_cast<std::uintptr_t>(ms)), SPIF_SENDWININICHANGE);
}

bool ForceForegroundWindow(HWND wnd) {
  Win32ForegroundSystem sys;
  return ForceForegroundWindow(sys, FromHwnd(wnd));
}

}  // namespace ruvano
