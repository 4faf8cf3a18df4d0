// Windows that a Wine test creates for itself, of any class name (registered locally on
// first use), destroyed with the returned object.
#pragma once

#include <windows.h>

#include "zeq/win32/handles.h"

namespace ruvano::testing {

inline UniqueWindow MakeTestWindow(const wchar_t* cls, DWORD style, HWND parent = nullptr, int x = 100,
                                   int y = 100, int w = 300, int h = 200) {
  WNDCLASSW wc{};
  if (!GetClassInfoW(GetModuleHandleW(nullptr), cls, &wc)) {
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = cls;
    RegisterClassW(&wc);
  }
  return UniqueWindow(CreateWindowExW(0, cls, L"test", style, x, y, w, h, parent, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
}

}  // namespace ruvano::testing
