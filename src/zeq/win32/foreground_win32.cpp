#include "zeq/win32/foreground_win32.h"

namespace ruvano {

bool ForceForegroundWindow(HWND wnd) {
  if (::GetForegroundWindow() != wnd) ::SetForegroundWindow(wnd);
  return ::GetForegroundWindow() == wnd;
}

}  // namespace ruvano
