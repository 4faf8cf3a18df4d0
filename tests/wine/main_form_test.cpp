#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/win32/application_window.h"
#include "monitor/null_cues.h"
#include "test_windows.h"
#include "ui/win32/main_form.h"
#include "wine_test_util.h"
#include "zeq/win32/hwnd.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::WaitUntil;

// Records the cue calls; the tick with number throwOnTick (1-based) throws.
class RecordingCues : public NullMonitorCues {
 public:
  int ticks = 0;
  int throwOnTick = 0;
  std::vector<std::string> calls;

  void TickHint() override {
    if (++ticks == throwOnTick) throw std::runtime_error("tick failure");
  }
  void PlayCue(bool on) override { calls.push_back(on ? "PlayCue(ON)" : "PlayCue(OFF)"); }
  void ScrollLedOn() override { calls.push_back("ScrollLedOn"); }
  void ScrollLedOff() override { calls.push_back("ScrollLedOff"); }
  void CloseIndicator() override { calls.push_back("CloseIndicator"); }
  bool Saw(const std::string& c) const { return std::find(calls.begin(), calls.end(), c) != calls.end(); }
};

struct Program {
  AppWindow app;
  RecordingCues cues;
  TmainForm form{cues};
  bool Create() { return app.Create() && form.Create(app.hwnd()); }
};

TEST(TmainForm, IsCreatedHiddenOwnedByTheApplicationWindowAndFindsTheDesktop) {
  UniqueWindow progman = testing::MakeTestWindow(L"Progman", WS_POPUP);
  UniqueWindow view = testing::MakeTestWindow(L"SHELLDLL_DefView", WS_CHILD, progman.get());
  Program p;
  ASSERT_TRUE(p.Create());
  EXPECT_EQ(FindWindowW(L"TmainForm", L"RUVANO"), p.form.hwnd());
  EXPECT_FALSE(IsWindowVisible(p.form.hwnd()));
  EXPECT_FALSE(IsWindowVisible(p.app.hwnd()));
  EXPECT_EQ(GetRootWindow(p.form.hwnd()), p.app.hwnd());
  EXPECT_EQ(p.form.ApplicationWindow(), FromHwnd(p.app.hwnd()));
  EXPECT_EQ(p.form.DesktopWnd(), FromHwnd(progman.get()));

  // Shown, it reports itself visible, keeps the application window hidden and takes the
  // indicator and the LED down.
  EXPECT_FALSE(p.form.SettingsWindowVisible());
  ShowWindow(p.form.hwnd(), SW_SHOWNOACTIVATE);
  EXPECT_TRUE(p.form.SettingsWindowVisible());
  EXPECT_FALSE(IsWindowVisible(p.app.hwnd()));
  EXPECT_TRUE(p.cues.Saw("CloseIndicator"));
  EXPECT_TRUE(p.cues.Saw("ScrollLedOff"));
}

TEST(TmainForm, TimerRunsTheTickUntilCloseAndAFailingTickDoesNotStopIt) {
  Program p;
  p.cues.throwOnTick = 2;
  ASSERT_TRUE(p.Create());
  EXPECT_TRUE(WaitUntil([&] { return p.cues.ticks >= 4; }, 3000));

  p.cues.calls.clear();
  SendMessageW(p.form.hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(p.form.hwnd(), nullptr);
  EXPECT_TRUE(p.cues.Saw("ScrollLedOff"));
  const int ticks = p.cues.ticks;
  testing::PumpFor(600);
  EXPECT_EQ(p.cues.ticks, ticks);
}

TEST(TmainForm, TickSeesTheForegroundProgramsImeTurnOnAndOff) {
  Program p;
  ASSERT_TRUE(p.Create());
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"tick end to end"));
  ASSERT_TRUE(target.Activate());
  const std::string key = std::to_string(FromHwnd(target.window()));
  ASSERT_TRUE(WaitUntil([&] { return p.form.tick().MActWin == FromHwnd(target.window()); }, 3000));
  EXPECT_FALSE(p.cues.Saw("PlayCue(ON)"));

  target.SetOpen(true);
  ASSERT_TRUE(WaitUntil([&] { return p.cues.Saw("PlayCue(ON)"); }, 3000));
  EXPECT_EQ(p.form.tick().ListBoxHandle.IndexOf(key), 0);
  EXPECT_TRUE(p.cues.Saw("ScrollLedOn"));
  target.SetOpen(false);
  EXPECT_TRUE(WaitUntil([&] { return p.form.tick().ListBoxHandle.IndexOf(key) == -1; }, 3000));
}

TEST(RuvanoExe, StartsHiddenWithItsTwoWindowsAndKeepsRunning) {
  testing::ChildProcess ruvano;
  ASSERT_TRUE(ruvano.Start(L"RUVANO.exe"));
  HWND form = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (form = testing::FindProcessWindow(ruvano.pid(), L"TmainForm", L"RUVANO")) != nullptr; }, 10000));
  const HWND app = GetWindow(form, GW_OWNER);
  ASSERT_NE(app, nullptr);
  wchar_t caption[32] = {};
  GetWindowTextW(app, caption, 32);
  EXPECT_STREQ(caption, L"RUVANO");
  EXPECT_EQ(GetRootWindow(app), app);

  EXPECT_EQ(ruvano.WaitExit(1500), -1);  // still running, monitor ticking
  EXPECT_FALSE(IsWindowVisible(form));
  EXPECT_FALSE(IsWindowVisible(app));

  PostMessageW(form, WM_CLOSE, 0, 0);  // closing the main window ends the program
  EXPECT_EQ(ruvano.WaitExit(10000), 0);
}

}  // namespace
}  // namespace ruvano
