#include "app/win32/application_window.h"

namespace ruvano {

bool AppWindow::Create() noexcept {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClassOnce(wc)) return false;
  // Never shown; a zero-sized captioned pop-up with a system menu, placed like a normal
  // top-level window so that it would carry the taskbar button if it were shown.
  return CreateWindowFor(0, kClassName, kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                         ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr,
                         nullptr) != nullptr;
}

}  // namespace ruvano
