#include "zeq/win32/window_style.h"

#include <imm.h>

#include "zeq/win32/probes_win32.h"

namespace ruvano {

void SetToolWindowStyle(HWND wnd) noexcept {
  const LONG ex = ::GetWindowLongW(wnd, GWL_EXSTYLE);
  ::SetWindowLongW(wnd, GWL_EXSTYLE, ex | WS_EX_TOOLWINDOW);
}

namespace {
constexpr int kInputScopeDefault = 0;  // IS_DEFAULT
}  // namespace

void WindowImeSwitch::SetOpen(HWND wnd, bool open) noexcept {
  ::ImmAssociateContextEx(wnd, nullptr, IACE_DEFAULT);
  HIMC context = ::ImmGetContext(wnd);
  if (!context) return;
  ::ImmSetOpenStatus(context, open ? TRUE : FALSE);
  if (IsWin8OrLater()) {
    if (SetInputScopeFn setInputScope = setInputScope_.get()) setInputScope(wnd, kInputScopeDefault);
  }
  ::ImmReleaseContext(wnd, context);
}

}  // namespace ruvano
