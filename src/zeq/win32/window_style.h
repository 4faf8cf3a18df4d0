// Small changes to a window of the program: the tool-window style and the open status of
// its own input method.
#pragma once

#include <windows.h>

#include "zeq/win32/system_library.h"

namespace ruvano {

// Adds WS_EX_TOOLWINDOW to the window's extended style: no taskbar button, not in the
// task switcher.
void SetToolWindowStyle(HWND wnd) noexcept;

// Opens and closes the input method of the program's own windows. It keeps SetInputScope of
// the text services library, which only Windows 8 and later need here: the library is loaded
// from the system folder at the first need and stays loaded.
class WindowImeSwitch {
 public:
  // Gives the window the default input context and sets that context's open status; on
  // Windows 8 and later also resets the window's input scope to the default one. Nothing
  // happens when the window has no input context.
  void SetOpen(HWND wnd, bool open) noexcept;

 private:
  using SetInputScopeFn = HRESULT(WINAPI*)(HWND, int);
  LazyProc<SetInputScopeFn> setInputScope_{L"msctf.dll", "SetInputScope"};
};

}  // namespace ruvano
