#include <gtest/gtest.h>
#include <windows.h>
#include <wtsapi32.h>

#include <functional>
#include <memory>

#include "app/win32/application_window.h"
#include "monitor/win32/monitor.h"
#include "recording_cues.h"
#include "test_windows.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::PumpFor;
using testing::RecordingCues;
using testing::WaitUntil;

struct MonitorRig {
  MonitorRig() : app(AppWindow::Create()), monitor(std::ref(cues), settings, app.get()) {}
  // Whether the tick runs within a second.
  bool Ticking() {
    const int before = cues.ticks;
    return WaitUntil([&] { return cues.ticks > before; }, 1000);
  }

  Settings settings;
  RecordingCues cues;
  std::unique_ptr<AppWindow> app;
  Monitor monitor;
};

// Started, the timer runs the tick; a failing tick does not stop it. A hold (a press on the
// indicator), a locked session (reported to the application window) and the end of the
// program rest it; only a resume, an unlock, or a restart after the end wakes it again.
TEST(Monitor, TheTimerRunsTheTickUntilHeldOrStopped) {
  MonitorRig r;
  ASSERT_NE(r.app, nullptr);
  r.cues.throwOnTick = 2;
  EXPECT_FALSE(r.Ticking()) << "not before the start";
  r.monitor.Start();
  EXPECT_TRUE(WaitUntil([&] { return r.cues.ticks >= 4; }, 3000));

  r.monitor.Hold();
  EXPECT_FALSE(r.Ticking());
  r.monitor.Resume();
  EXPECT_TRUE(r.Ticking());

  DWORD session = 0;
  ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &session));
  PostMessageW(r.app->hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, session + 1);
  EXPECT_TRUE(r.Ticking()) << "another session's lock";
  PostMessageW(r.app->hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, session);
  EXPECT_FALSE(r.Ticking());
  PostMessageW(r.app->hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, session);
  EXPECT_TRUE(r.Ticking());

  r.monitor.Stop();
  EXPECT_FALSE(r.Ticking());
  r.monitor.Resume();  // the pointer leaves the indicator while the program ends
  EXPECT_FALSE(r.Ticking());
  r.monitor.Restart();
  EXPECT_TRUE(r.Ticking());
}

TEST(Monitor, TheTickSeesTheForegroundProgramsImeTurnOnAndOff) {
  MonitorRig r;
  ASSERT_NE(r.app, nullptr);
  r.monitor.Start();
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"tick end to end"));
  ASSERT_TRUE(target.Activate());
  const WindowId key = FromHwnd(target.window());
  ASSERT_TRUE(WaitUntil([&] { return r.monitor.State().ActiveWindow() == key; }, 3000));
  EXPECT_FALSE(r.cues.Saw("PlayCue(ON)"));

  target.SetOpen(true);
  ASSERT_TRUE(WaitUntil([&] { return r.cues.Saw("PlayCue(ON)"); }, 3000));
  EXPECT_EQ(r.monitor.State().Handles().IndexOf(key), 0);
  EXPECT_TRUE(r.cues.Saw("ScrollLedOn"));
  target.SetOpen(false);
  EXPECT_TRUE(WaitUntil([&] { return r.monitor.State().Handles().IndexOf(key) == -1; }, 3000));
}

// The caret follow asks the program in front for its caret object; while the session is
// locked nothing asks it, and after the unlock the follow goes on.
TEST(Monitor, TheCaretFollowRestsWhileTheSessionIsLocked) {
  MonitorRig r;
  ASSERT_NE(r.app, nullptr);
  r.monitor.Start();
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"caret follow"));
  ASSERT_TRUE(target.Activate());
  target.GiveOwnCaret(400, 300);
  const WindowId key = FromHwnd(target.window());
  ASSERT_TRUE(WaitUntil([&] { return r.monitor.State().ActiveWindow() == key; }, 3000));
  r.monitor.FollowCaret(true);
  auto asked = [&] {
    const long before = target.CaretQuestions();
    PumpFor(400);
    return target.CaretQuestions() > before;
  };
  EXPECT_TRUE(asked());

  DWORD session = 0;
  ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &session));
  PostMessageW(r.app->hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, session);
  PumpFor(100);  // a question under way ends
  EXPECT_FALSE(asked());
  PostMessageW(r.app->hwnd(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, session);
  EXPECT_TRUE(asked());
}

}  // namespace
}  // namespace ruvano
