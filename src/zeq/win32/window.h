// Base for the program's windows: one C++ object per window, attached at WM_NCCREATE, with
// the message handler behind a guard so that no exception ever crosses the window procedure
// (an exception drops the message silently and the program carries on).
#pragma once

#include <windows.h>

namespace ruvano {

// Registers the common control classes that the program's windows are made of (buttons, edit
// and list boxes, the toolbar and the track bar). Called once at start, before any window.
void RegisterCommonControlClasses() noexcept;

// What a window is made with. Only the class is required; a field left out keeps its default
// here (a hidden, untitled pop-up at (0, 0) with no size and no owner).
struct WindowArgs {
  const wchar_t* className = nullptr;
  const wchar_t* title = L"";
  DWORD style = WS_POPUP;
  DWORD exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;  // the owner, for a top-level window
  HMENU menu = nullptr;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const noexcept { return hwnd_; }

  // Destroys the window with this object detached first, so that none of its handlers runs:
  // for a destructor whose members must outlive the window (the pictures and fonts it paints
  // with), or for an owner that tears down what the handlers use.
  void DestroyDetached() noexcept;

 protected:
  // Registers the class once per process (a second call for the same name is harmless).
  static bool RegisterClassOnce(WNDCLASSEXW wc) noexcept;

  // Creates the window with this object attached; the class must use Window::StaticWndProc.
  HWND CreateWindowFor(const WindowArgs& args) noexcept;

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
