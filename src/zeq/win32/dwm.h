// The desktop window manager's view of a window (dwmapi is bound at run time: it is not one
// of the system's known DLLs).
#pragma once

#include <windows.h>

namespace ruvano {

// DwmGetWindowAttribute; E_NOTIMPL where the system has no such call.
HRESULT DwmWindowAttribute(HWND wnd, DWORD attribute, void* value, DWORD size) noexcept;

}  // namespace ruvano
