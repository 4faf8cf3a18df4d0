// Small changes to a window of the program: the tool-window style and the open status of
// its own input method.
#pragma once

#include <windows.h>

namespace ruvano {

// Adds WS_EX_TOOLWINDOW to the window's extended style: no taskbar button, not in the
// task switcher.
void SetToolWindowStyle(HWND wnd) noexcept;

// Gives the window the default input context and sets that context's open status; on
// Windows 8 and later also resets the window's input scope to the default one. Nothing
// happens when the window has no input context.
void SetWindowImeOpen(HWND wnd, bool open) noexcept;

}  // namespace ruvano
