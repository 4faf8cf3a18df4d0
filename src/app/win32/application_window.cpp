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

bool AppWindow::Route(UINT msg, Handler handler) {
  for (const auto& route : routes_)
    if (route.first == msg) return false;
  routes_.emplace_back(msg, std::move(handler));
  return true;
}

void AppWindow::Withdraw(UINT msg) noexcept {
  std::erase_if(routes_, [msg](const auto& route) { return route.first == msg; });
}

LRESULT AppWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // A copy: the handler may withdraw its own route.
  for (const auto& route : routes_)
    if (route.first == msg) return Handler(route.second)(wp, lp);
  switch (msg) {
    case WM_ACTIVATEAPP:
      if (!wp && events_.deactivated) events_.deactivated();
      return 0;
    case WM_QUERYENDSESSION:
      if (events_.logonEndQueried) events_.logonEndQueried();
      return TRUE;
    case WM_ENDSESSION:
      if (events_.logonEnd) events_.logonEnd(wp != FALSE);
      return 0;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
