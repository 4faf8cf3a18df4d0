#include "app/win32/application_window.h"

#include <new>

namespace ruvano {

std::unique_ptr<AppWindow> AppWindow::Create() noexcept {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClassOnce(wc)) return nullptr;
  std::unique_ptr<AppWindow> window(new (std::nothrow) AppWindow());
  // Never shown; a zero-sized captioned pop-up with a system menu, placed like a normal
  // top-level window so that it would carry the taskbar button if it were shown.
  if (!window || !window->CreateWindowFor(
                     {.className = kClassName,
                      .title = kCaption,
                      .style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS,
                      .x = ::GetSystemMetrics(SM_CXSCREEN) / 2,
                      .y = ::GetSystemMetrics(SM_CYSCREEN) / 2})) {
    return nullptr;
  }
  return window;
}

LRESULT AppWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      // The settings window saved the settings when the system asked whether the logon may
      // end; the handler makes sure of it and darkens the LED, whichever window hears first.
      if (wp) {
        if (sessionEnd_) sessionEnd_();
        ::ExitProcess(0);
      }
      return 0;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
