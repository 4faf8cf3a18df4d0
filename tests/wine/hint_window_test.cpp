#include <gtest/gtest.h>
#include <windows.h>
#include <uxtheme.h>

#include <string>

#include "cues/win32/hint_window.h"
#include "screen_test_util.h"
#include "test_windows.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

using testing::Bitmap;
using testing::ClientImage;
using testing::FakeImeTarget;
using testing::MakeTestWindow;
using testing::MovePointer;
using testing::PumpFor;
using testing::WaitUntil;
using testing::WindowRect;

std::wstring WindowTextOf(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

class HintWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.SetHint(true);
    ASSERT_TRUE(target.Start(L"Hint target", 200, 150, 640, 480));
    ASSERT_TRUE(target.Activate());
  }

  UniqueWindow appWindow = MakeTestWindow(L"RuvanoTestApplication", WS_OVERLAPPEDWINDOW);
  Settings settings;
  HintWindow window{appWindow.get()};
  CursorHint hint{window, settings};
  FakeImeTarget target;
};

CursorHint* g_ticking = nullptr;
int g_ticks = 0;
void CALLBACK TickHintTimer(HWND, UINT, UINT_PTR, DWORD) {
  ++g_ticks;
  g_ticking->Tick();
}

TEST_F(HintWindowTest, ShowsTheTextBelowRightOfThePointerAndGoesAfterTheCountdown) {
  ASSERT_TRUE(MovePointer(400, 300));
  POINT p{};
  GetCursorPos(&p);

  hint.Trigger();
  ASSERT_TRUE(window.HasWindow());
  HWND w = window.hwnd();
  PumpFor(100);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(WindowTextOf(w), L"IME ON");
  const RECT r = WindowRect(w);
  EXPECT_EQ(r.left, p.x + 16);
  EXPECT_EQ(r.top, p.y + 16);
  EXPECT_EQ(GetForegroundWindow(), target.window());
  EXPECT_NE(GetActiveWindow(), w);
  const LONG ex = GetWindowLongW(w, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_BORDER);
  EXPECT_EQ(GetWindow(w, GW_OWNER), appWindow.get());
  // The hint lets the mouse through to the window below.
  EXPECT_EQ(WindowFromPoint(POINT{r.left + 5, r.top + 5}), target.window());

  // Driven by a 250 ms tick: there while counting down, gone at the start of the 9th tick.
  g_ticking = &hint;
  g_ticks = 0;
  const DWORD start = GetTickCount();
  const UINT_PTR timer = SetTimer(nullptr, 0, 250, TickHintTimer);
  int ticksWhenGone = -1;
  WaitUntil(
      [&] {
        if (!window.HasWindow() && ticksWhenGone < 0) ticksWhenGone = g_ticks;
        return ticksWhenGone >= 0;
      },
      5000);
  const DWORD elapsed = GetTickCount() - start;
  KillTimer(nullptr, timer);
  EXPECT_EQ(ticksWhenGone, 9);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_GE(elapsed, 2000u);
  RecordProperty("hint_shown_ms", static_cast<int>(elapsed));
  std::printf("hint gone after %d ticks, %lu ms\n", ticksWhenGone, static_cast<unsigned long>(elapsed));
}

TEST_F(HintWindowTest, StaysOnTheMonitorNearItsBottomRightCorner) {
  const int cx = GetSystemMetrics(SM_CXSCREEN);
  const int cy = GetSystemMetrics(SM_CYSCREEN);
  ASSERT_TRUE(MovePointer(cx - 5, cy - 5));
  hint.Trigger();
  ASSERT_TRUE(window.HasWindow());
  const RECT r = WindowRect(window.hwnd());
  EXPECT_EQ(r.right, cx);
  EXPECT_EQ(r.bottom, cy);
  EXPECT_GT(r.right - r.left, 6);
}

TEST_F(HintWindowTest, SizeFollowsTheTextAndAmpersandsTakeTheirRoom) {
  settings.SetHintString(u"IME");
  hint.Trigger();
  const RECT shortRect = WindowRect(window.hwnd());
  hint.OnHintOptionChanged();  // still ticked: nothing
  ASSERT_TRUE(window.HasWindow());
  settings.SetHint(false);
  hint.OnHintOptionChanged();
  EXPECT_FALSE(window.HasWindow());
  EXPECT_EQ(hint.ticksLeft, 0);

  settings.SetHint(true);
  settings.SetHintString(u"IME && ON & more");
  hint.Trigger();
  ASSERT_TRUE(window.HasWindow());
  HWND w = window.hwnd();
  const RECT longRect = WindowRect(w);
  EXPECT_GT(longRect.right - longRect.left, shortRect.right - shortRect.left);
  EXPECT_EQ(longRect.bottom - longRect.top, shortRect.bottom - shortRect.top);

  // The client area holds the text as it is drawn (every "&" shown) with a 2-pixel margin.
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof(m);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0));
  HFONT font = CreateFontIndirectW(&m.lfStatusFont);
  HDC dc = GetDC(w);
  HGDIOBJ old = SelectObject(dc, font);
  RECT drawn{0, 0, 0, 0};
  DrawTextW(dc, L"IME && ON & more", -1, &drawn, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(w, dc);
  RECT client{};
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, drawn.right + 4);
  EXPECT_EQ(client.bottom, drawn.bottom + 4);
}

// The hint paints the system's themed tooltip background when visual styles are active,
// else pale yellow with a raised edge; the text goes on top.
TEST_F(HintWindowTest, PaintsTheTooltipBackground) {
  hint.Trigger();
  ASSERT_TRUE(window.HasWindow());
  HWND w = window.hwnd();
  const ClientImage painted(w);
  RECT client{0, 0, painted.width(), painted.height()};
  ASSERT_GT(client.right, 6);

  // The expected background, drawn into a bitmap the way the system draws it.
  Bitmap expected(client.right, client.bottom);
  HTHEME theme = (IsAppThemed() && IsThemeActive()) ? OpenThemeData(w, L"TOOLTIP") : nullptr;
  const bool themed = theme != nullptr;
  if (theme) {
    DrawThemeBackground(theme, expected.dc(), 1 /* TTP_STANDARD */, 1 /* TTSS_NORMAL */, &client, nullptr);
    CloseThemeData(theme);
  } else {
    HBRUSH pale = CreateSolidBrush(RGB(255, 255, 128));
    FillRect(expected.dc(), &client, pale);
    DeleteObject(pale);
    DrawEdge(expected.dc(), &client, BDR_RAISEDOUTER, BF_RECT);
  }
  // Along the edges, outside the text, nothing but the background shows.
  int compared = 0, differing = 0;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (y >= 2 && y < client.bottom - 2 && x < client.right - 3) continue;
      ++compared;
      differing += expected.Pixel(x, y) != painted.Pixel(x, y);
    }
  }
  // The text shows in the tooltip text colour.
  int textPixels = 0;
  for (int y = 2; y < client.bottom - 2; ++y)
    for (int x = 2; x < client.right - 3; ++x)
      if (painted.Pixel(x, y) == GetSysColor(COLOR_INFOTEXT)) ++textPixels;
  EXPECT_GT(compared, 0);
  EXPECT_EQ(differing, 0) << (themed ? "themed" : "pale yellow");
  EXPECT_GT(textPixels, 10);
}

}  // namespace
}  // namespace ruvano
