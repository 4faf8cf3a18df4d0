#include "zeq/win32/window_style.h"

#include <imm.h>

#include "zeq/win32/os_version_win32.h"

namespace ruvano {

void SetToolWindowStyle(HWND wnd) noexcept {
  const LONG ex = ::GetWindowLongW(wnd, GWL_EXSTYLE);
  ::SetWindowLongW(wnd, GWL_EXSTYLE, ex | WS_EX_TOOLWINDOW);
}

namespace {
constexpr int kInputScopeDefault = 0;  // IS_DEFAULT
}  // namespace

WindowImeSwitch::SetInputScopeFn WindowImeSwitch::InputScopeSetter() noexcept {
  if (setInputScope_) return setInputScope_;
  HMODULE lib = ::GetModuleHandleW(L"msctf.dll");
  if (!lib) lib = ::LoadLibraryExW(L"msctf.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!lib) return nullptr;
  setInputScope_ =
      reinterpret_cast<SetInputScopeFn>(reinterpret_cast<void*>(::GetProcAddress(lib, "SetInputScope")));
  return setInputScope_;
}

void WindowImeSwitch::SetOpen(HWND wnd, bool open) noexcept {
  ::ImmAssociateContextEx(wnd, nullptr, IACE_DEFAULT);
  HIMC context = ::ImmGetContext(wnd);
  if (!context) return;
  ::ImmSetOpenStatus(context, open ? TRUE : FALSE);
  if (IsWin8OrLater()) {
    if (SetInputScopeFn setInputScope = InputScopeSetter()) setInputScope(wnd, kInputScopeDefault);
  }
  ::ImmReleaseContext(wnd, context);
}

}  // namespace ruvano
