#include <gtest/gtest.h>
#include <windows.h>

#include "wine_test_util.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/placement_win32.h"

namespace {

using ruvano::testing::PumpFor;

// A plain top-level window, 480 x 400.
class TestWindow {
 public:
  TestWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"RuvanoPlacementTest";
    RegisterClassW(&wc);  // fails harmlessly from the second window on
    wnd_ = CreateWindowExW(0, L"RuvanoPlacementTest", L"placement test", WS_OVERLAPPEDWINDOW, 100, 100, 480,
                           400, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(wnd_, SW_SHOWNOACTIVATE);
    PumpFor(100);
  }
  ~TestWindow() { DestroyWindow(wnd_); }
  HWND get() const { return wnd_; }
  RECT Rect() const {
    RECT r{};
    GetWindowRect(wnd_, &r);
    return r;
  }
  void MoveTo(int x, int y) {
    SetWindowPos(wnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }
  HWND wnd_ = nullptr;
};

TEST(PlacementWin32, WindowOffEveryMonitorIsCentredOnThePrimaryMonitor) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  TestWindow w;
  w.MoveTo(5000, 5000);
  ASSERT_EQ(w.Rect().left, 5000);
  ruvano::Win32PlacementHost host;
  EXPECT_TRUE(ruvano::IsOffAllMonitors(host, ruvano::Bounds{5000, 5000, 480, 400}));
  // The session has a taskbar (Wine reports a strip along the bottom); a wrongly sized query
  // structure would make the system refuse to answer.
  ruvano::TaskbarInfo taskbar;
  EXPECT_TRUE(host.QueryTaskbar(taskbar));

  ruvano::EnsureWindowOnScreen(w.get());
  // (1920 - 480) div 2 and (1080 - 400) div 2: Wine's one-pixel taskbar strip at the bottom
  // grows the work area to 1081, which halves to the same 340.
  const RECT r = w.Rect();
  EXPECT_EQ(r.left, 720);
  EXPECT_EQ(r.top, 340);
  EXPECT_EQ(r.right - r.left, 480);
  EXPECT_EQ(r.bottom - r.top, 400);

  // Once on screen it stays where it is, even with only a corner showing.
  w.MoveTo(1900, 1060);
  ruvano::EnsureWindowOnScreen(w.get());
  EXPECT_EQ(w.Rect().left, 1900);
  EXPECT_EQ(w.Rect().top, 1060);
}

TEST(PlacementWin32, MaximisedWindowIsLeftAloneWhereverItIs) {
  TestWindow w;
  ShowWindow(w.get(), SW_MAXIMIZE);
  w.MoveTo(5000, 5000);  // stays maximised, off every monitor
  ASSERT_TRUE(IsZoomed(w.get()));
  const RECT before = w.Rect();
  ruvano::EnsureWindowOnScreen(w.get());
  const RECT after = w.Rect();
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(IsZoomed(w.get()));
}

TEST(PlacementWin32, MinimisedWindowIsNotMoved) {
  TestWindow w;
  w.MoveTo(5000, 5000);
  ShowWindow(w.get(), SW_SHOWMINNOACTIVE);
  ASSERT_TRUE(IsIconic(w.get()));
  const RECT before = w.Rect();
  ruvano::EnsureWindowOnScreen(w.get());
  const RECT after = w.Rect();
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_TRUE(IsIconic(w.get()));
  ShowWindow(w.get(), SW_SHOWNOACTIVATE);
  EXPECT_EQ(w.Rect().left, 5000);  // its restored place was not touched either
}

TEST(PlacementWin32, WindowParkedWhereMinimisedWindowsGoIsCentred) {
  TestWindow w;
  ruvano::Win32PlacementHost host;
  ruvano::Rect r;
  w.MoveTo(-32000, 100);  // only Left at the parking coordinate: a readable rectangle
  EXPECT_TRUE(host.GetValidWindowRect(ruvano::FromHwnd(w.get()), r));
  EXPECT_EQ(r, (ruvano::Rect{-32000, 100, -31520, 500}));
  // Not minimised, only standing there (a saved position): it is on no monitor.
  w.MoveTo(-32000, -32000);
  ruvano::EnsureWindowOnScreen(w.get());
  const RECT now = w.Rect();
  EXPECT_NE(MonitorFromPoint(POINT{now.left, now.top}, MONITOR_DEFAULTTONULL), nullptr);
}

}  // namespace
