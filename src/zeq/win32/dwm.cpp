#include "zeq/win32/dwm.h"

#include <dwmapi.h>

#include "zeq/win32/system_library.h"

namespace ruvano {

HRESULT DwmWindowAttribute(HWND wnd, DWORD attribute, void* value, DWORD size) noexcept {
  static LazyProc<decltype(&::DwmGetWindowAttribute)> get{L"dwmapi.dll", "DwmGetWindowAttribute"};
  return get ? get.get()(wnd, attribute, value, size) : E_NOTIMPL;
}

}  // namespace ruvano
