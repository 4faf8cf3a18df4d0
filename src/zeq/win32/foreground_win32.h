// Bringing a window of ours to the front with SetForegroundWindow alone. Both callers hold the
// right to take the foreground, as the SetForegroundWindow page lists it
// (learn.microsoft.com/windows/win32/api/winuser/nf-winuser-setforegroundwindow): a click on the
// indicator is this process's own last input, and a second start calls AllowSetForegroundWindow
// for this process before it sends "/Show". No thread input is attached and no system-wide
// setting (the foreground lock timeout) is changed to get there.
#pragma once

#include <windows.h>

namespace ruvano {

// Makes wnd the foreground window; true when it is in front at return.
bool ForceForegroundWindow(HWND wnd);

}  // namespace ruvano
