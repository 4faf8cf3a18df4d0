#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/application_window.h"
#include "bench_util.h"
#include "monitor/monitor_tick.h"
#include "recording_cues.h"
#include "monitor/win32/desktop_win32.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::WaitUntil;

class SignalLog : public testing::RecordingCues, public IProgramWindows {
 public:
  HWND app = nullptr;

  bool SettingsWindowOnScreen() override { return false; }
  WindowId ApplicationWindow() override { return FromHwnd(app); }
  WindowId DesktopWnd() override { return 0; }
  WindowId RefindDesktopWnd() override { return 0; }
};

// An application in front stops answering while its IME is on. The tick does not wait for
// it, signals nothing while it is silent, and once it answers again follows what it reports.
TEST(HungForegroundApplication, TheTickDoesNotWaitSignalsNothingAndCatchesUp) {
  const std::unique_ptr<AppWindow> app = AppWindow::Create();
  ASSERT_NE(app, nullptr);
  SignalLog log;
  log.app = app->hwnd();
  Settings settings;
  settings.SetOff(true);
  Win32Desktop desktop;
  MonitorTick tick(desktop, log, settings);

  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"hung application", 200, 150, 640, 480, true));
  ASSERT_TRUE(target.Activate());
  const WindowId key = FromHwnd(target.window());
  ASSERT_TRUE(WaitUntil(
      [&] {
        log(tick.Run());
        return tick.Handles().IndexOf(key) == 0;
      },
      3000));
  log.calls.clear();

  constexpr DWORD kHangMs = 4000;
  target.Hang(kHangMs);
  ASSERT_TRUE(WaitUntil(
      [&] {
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(target.window(), WM_NULL, 0, 0, SMTO_NORMAL, 20, &r) == 0;
      },
      2000));

  double longestTick = 0;
  int ticks = 0;
  for (const double start = bench::NowUs(); bench::NowUs() - start < kHangMs / 2 * 1000.0; ++ticks) {
    const double t0 = bench::NowUs();
    log(tick.Run());
    longestTick = std::max(longestTick, (bench::NowUs() - t0) / 1000);
  }
  std::printf("With the application in front hung: %d ticks, the longest took %.1f ms\n", ticks, longestTick);
  // Waiting for the application would have taken the rest of its pause.
  EXPECT_LT(longestTick, kHangMs / 4.0);
  EXPECT_EQ(tick.Handles().IndexOf(key), 0);
  EXPECT_EQ(log.calls, (std::vector<std::string>(ticks, "ScrollLedOn")));

  // Awake again: it switches its IME off and the next tick signals that.
  target.SetOpen(false);
  log(tick.Run());
  EXPECT_EQ(tick.Handles().IndexOf(key), -1);
  EXPECT_TRUE(log.Saw("PlayCue(OFF)"));
  EXPECT_TRUE(log.Saw("ScrollLedOff"));
}

// The caret object of a focused control comes from its own program, which is asked on a
// thread of ours: the question never waits for the answer, which comes later. Once that
// program stops answering, each question still returns at once, with the last caret place.
TEST(HungForegroundApplication, ItsCaretObjectIsNotWaitedFor) {
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"hung caret"));
  ASSERT_TRUE(target.Activate());
  target.GiveOwnCaret(400, 300);
  Win32Desktop desktop;
  const WindowId w = FromHwnd(target.window());
  Rect r;
  ASSERT_TRUE(WaitUntil([&] { return desktop.AccessibleCaret(w, r); }, 3000));
  EXPECT_EQ(r, (Rect{400, 300, 402, 318}));

  constexpr DWORD kHangMs = 2000;
  target.Hang(kHangMs);
  ASSERT_TRUE(WaitUntil(
      [&] {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(target.window(), WM_NULL, 0, 0, SMTO_NORMAL, 20, &answer) == 0;
      },
      1000));
  double longest = 0;
  for (int i = 0; i < 3; ++i) {
    Sleep(50);  // each question finds the one before it still waiting for the program
    const double t0 = bench::NowUs();
    EXPECT_TRUE(desktop.AccessibleCaret(w, r));
    longest = std::max(longest, (bench::NowUs() - t0) / 1000);
    EXPECT_EQ(r, (Rect{400, 300, 402, 318}));
  }
  std::printf("Caret object of a hung application: the longest of three questions took %.1f ms\n", longest);
  EXPECT_LT(longest, static_cast<double>(kImeQueryTimeoutMs));
}

}  // namespace
}  // namespace ruvano
