// The settings window's font and its DPI: the monitor's DPI for a window, the outer size
// for a client size, and the panel's font for a DPI.
#pragma once

#include <windows.h>

#include <string>

#include "zeq/win32/handles.h"

namespace ruvano {

// The DPI of the window's monitor: GetDpiForWindow where the system has it, else the
// LOGPIXELSY of the window's device context.
int DpiForWindow(HWND wnd);

// The outer size of the window for the given client size, for its styles and DPI.
SIZE WindowSizeForClient(HWND wnd, int clientWidth, int clientHeight);

// The panel's font for a DPI: height -11 at 96 DPI, scaled, with the face of the system's
// menu font, or a face that has glyphs for every character of sample (the captions'
// Japanese) when the menu font lacks them.
UniqueFont CreatePanelFont(int dpi, const std::wstring& sample);

}  // namespace ruvano
