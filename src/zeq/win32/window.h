// Base for the program's windows: one C++ object per window, attached at WM_NCCREATE, with
// the message handler behind a guard so that no exception ever crosses the window procedure
// (an exception drops the message silently and the program carries on).
#pragma once

#include <windows.h>

namespace ruvano {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const noexcept { return hwnd_; }

 protected:
  // Registers the class once per process (a second call for the same name is harmless).
  static bool RegisterClassOnce(WNDCLASSEXW wc) noexcept;

  // Creates the window with this object attached; the class must use Window::StaticWndProc.
  HWND CreateWindowFor(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                       int y, int w, int h, HWND parent, HMENU menu) noexcept;

  // The window's own handling; the default is DefWindowProcW.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return ::DefWindowProcW(hwnd_, msg, wp, lp);
  }

  // For windows that draw their whole client area in Paint: answers WM_ERASEBKGND,
  // WM_PAINT and WM_PRINTCLIENT (which AnimateWindow uses). True when msg was one of them.
  bool HandlePaintMessage(UINT msg, WPARAM wp, LRESULT& result) noexcept;
  virtual void Paint(HDC) noexcept {}

  // Called after WM_NCDESTROY; the handle is gone by then.
  virtual void OnDestroyed() noexcept {}

 public:
  static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace ruvano
