#include "zeq/win32/window_style.h"

#include <imm.h>

#include "zeq/win32/foreground_win32.h"

namespace ruvano {

void SetToolWindowStyle(HWND wnd) noexcept {
  const LONG ex = ::GetWindowLongW(wnd, GWL_EXSTYLE);
  ::SetWindowLongW(wnd, GWL_EXSTYLE, ex | WS_EX_TOOLWINDOW);
}

namespace {

// SetInputScope of the text services library, which only Windows 8 and later need here.
// The library is loaded from the system folder once and stays loaded; when it cannot be
// had, the next call tries again.
using SetInputScopeFn = HRESULT(WINAPI*)(HWND, int);
constexpr int kInputScopeDefault = 0;  // IS_DEFAULT

SetInputScopeFn InputScopeSetter() noexcept {
  static SetInputScopeFn fn = nullptr;
  if (fn) return fn;
  HMODULE lib = ::GetModuleHandleW(L"msctf.dll");
  if (!lib) lib = ::LoadLibraryExW(L"msctf.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!lib) return nullptr;
  fn = reinterpret_cast<SetInputScopeFn>(reinterpret_cast<void*>(::GetProcAddress(lib, "SetInputScope")));
  return fn;
}

}  // namespace

void SetWindowImeOpen(HWND wnd, bool open) noexcept {
  ::ImmAssociateContextEx(wnd, nullptr, IACE_DEFAULT);
  HIMC context = ::ImmGetContext(wnd);
  if (!context) return;
  ::ImmSetOpenStatus(context, open ? TRUE : FALSE);
  if (ReadPlatformVersion().AtLeast(6, 2)) {
    if (SetInputScopeFn setInputScope = InputScopeSetter()) setInputScope(wnd, kInputScopeDefault);
  }
  ::ImmReleaseContext(wnd, context);
}

}  // namespace ruvano
