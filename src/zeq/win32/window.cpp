#include "zeq/win32/window.h"

#include <commctrl.h>

#include <cwchar>
#include <iterator>

#include "zeq/win32/failure_report.h"

namespace ruvano {

void RegisterCommonControlClasses() noexcept {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&icc);
}

Window::~Window() { DestroyDetached(); }

void Window::DestroyDetached() noexcept {
  if (!hwnd_) return;
  HWND wnd = hwnd_;
  ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  ::DestroyWindow(wnd);
}

bool Window::RegisterClassOnce(WNDCLASSEXW wc) noexcept {
  wc.cbSize = sizeof(wc);
  if (!wc.lpfnWndProc) wc.lpfnWndProc = &Window::StaticWndProc;
  if (!wc.hInstance) wc.hInstance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing)) return true;
  return ::RegisterClassExW(&wc) != 0;
}

HWND Window::CreateWindowFor(const WindowArgs& args) noexcept {
  return ::CreateWindowExW(args.exStyle, args.className, args.title, args.style, args.x, args.y, args.width,
                           args.height, args.parent, args.menu, ::GetModuleHandleW(nullptr), this);
}

LRESULT Window::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }

bool Window::HandlePaintMessage(UINT msg, WPARAM wp, LRESULT& result) noexcept {
  switch (msg) {
    case WM_ERASEBKGND:
      result = 1;  // Paint fills the whole client area
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = ::BeginPaint(hwnd_, &ps);
      if (dc) Paint(dc);
      ::EndPaint(hwnd_, &ps);
      result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wp));
      result = 0;
      return true;
  }
  return false;
}

LRESULT CALLBACK Window::StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  Window* self = nullptr;
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<Window*>(cs->lpCreateParams);
    if (self) {
      self->hwnd_ = wnd;
      ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  } else {
    self = reinterpret_cast<Window*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(wnd, msg, wp, lp);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(msg, wp, lp);
  } catch (...) {
    // Dropped on purpose: a failing handler must never take the resident program down.
    wchar_t what[80];
    std::swprintf(what, std::size(what),
                  L"the handler of window message 0x%04X failed; the default one answered", msg);
    ReportFailure(what);
    result = ::DefWindowProcW(wnd, msg, wp, lp);
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->OnDestroyed();
  }
  return result;
}

}  // namespace ruvano
