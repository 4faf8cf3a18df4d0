// Screen helpers for the Wine tests: moving the pointer, and reading what a window paints.
#pragma once

#include <windows.h>

namespace ruvano::testing {

// Moves the mouse pointer and waits until the system has kept it there for a while: under
// Wine, pointer events that X delivers late can put it back where it was before.
inline bool MovePointer(int x, int y) {
  const DWORD start = GetTickCount();
  DWORD steadySince = 0;
  bool steady = false;
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    POINT p{};
    GetCursorPos(&p);
    if (p.x == x && p.y == y) {
      if (!steady) steadySince = GetTickCount();
      steady = true;
      if (GetTickCount() - steadySince >= 250) return true;
    } else {
      steady = false;
      SetCursorPos(x, y);
    }
    if (GetTickCount() - start > 5000) return false;
    Sleep(10);
  }
}

// A bitmap to draw into, with its own memory device context.
class Bitmap {
 public:
  Bitmap(int width, int height) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bmp_ = CreateCompatibleBitmap(screen, width > 0 ? width : 1, height > 0 ? height : 1);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bmp_);
  }
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;
  ~Bitmap() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  RECT rect() const { return RECT{0, 0, width_, height_}; }
  COLORREF Pixel(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// The client area of a window of this process as its WM_PRINTCLIENT handler paints it,
// independent of what the screen shows on top of it.
class ClientImage : public Bitmap {
 public:
  explicit ClientImage(HWND w) : Bitmap(ClientSize(w).cx, ClientSize(w).cy) {
    SendMessageW(w, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc()), PRF_CLIENT | PRF_ERASEBKGND);
  }

 private:
  static SIZE ClientSize(HWND w) {
    RECT rc{};
    GetClientRect(w, &rc);
    return SIZE{rc.right, rc.bottom};
  }
};

inline RECT WindowRect(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

}  // namespace ruvano::testing
