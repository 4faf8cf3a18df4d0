#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/application_window.h"
#include "app/win32/single_instance.h"
#include "monitor/win32/monitor.h"
#include "recording_cues.h"
#include "settings/win32/settings_file_win32.h"
#include "test_windows.h"
#include "ui/win32/run_key_win32.h"
#include "ui/win32/settings_window.h"
#include "wine_test_util.h"
#include "zeq/win32/foreground_win32.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window_style.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::RecordingCues;
using testing::TempFolder;
using testing::WaitUntil;

// The settings window with a monitor that rests while it is on screen, wired as the program
// wires them: showing the window closes the indicator and darkens the LED, and a "/Show"
// request shows a hidden window in front.
struct Program {
  explicit Program(std::wstring file = L"") : file(std::move(file)) {}
  bool Create() {
    app = AppWindow::Create();
    if (!app) return false;
    if (!file.empty()) LoadSettings(ToText(file), settings);
    monitor = std::make_unique<Monitor>(std::ref(cues), settings, app.get());
    SettingsWindow::Events events;
    events.shown = [this] {
      cues.CloseIndicator();
      cues.ScrollLedOff();
    };
    events.closing = [this] { cues.calls.push_back("closing"); };
    events.copyData = [this](LPARAM lp) {
      if (ShouldShowForCopyData(IsWindowVisible(form->hwnd()) != FALSE, lp)) form->Show();
    };
    form = SettingsWindow::Create(settings, std::move(events), app->hwnd());
    if (!form) return false;
    monitor->RestWhileOnScreen(form->hwnd());
    monitor->Start();
    return true;
  }
  RECT Bounds() const {
    RECT r{};
    GetWindowRect(form->hwnd(), &r);
    return r;
  }

  std::wstring file;
  Settings settings;
  RecordingCues cues;
  std::unique_ptr<AppWindow> app;
  std::unique_ptr<Monitor> monitor;
  std::unique_ptr<SettingsWindow> form;
};

TEST(SettingsWindow, IsCreatedHiddenOwnedByTheApplicationWindowAndTheMonitorFindsTheDesktop) {
  UniqueWindow progman = testing::MakeTestWindow(L"Progman", WS_POPUP);
  UniqueWindow view = testing::MakeTestWindow(L"SHELLDLL_DefView", WS_CHILD, progman.get());
  Program p;
  ASSERT_TRUE(p.Create());
  EXPECT_EQ(FindWindowW(L"TmainForm", L"RUVANO"), p.form->hwnd());
  EXPECT_FALSE(IsWindowVisible(p.form->hwnd()));
  EXPECT_FALSE(IsWindowVisible(p.app->hwnd()));
  EXPECT_EQ(GetRootWindow(p.form->hwnd()), p.app->hwnd());
  IProgramWindows& windows = *p.monitor;
  EXPECT_EQ(windows.ApplicationWindow(), FromHwnd(p.app->hwnd()));
  EXPECT_EQ(windows.DesktopWnd(), FromHwnd(progman.get()));
  EXPECT_TRUE(WaitUntil([&] { return p.cues.ticks > 0; }, 3000));

  // A fixed dialog frame with the Close button only.
  const LONG style = GetWindowLongW(p.form->hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT client{};
  GetClientRect(p.form->hwnd(), &client);
  EXPECT_GE(client.right, 474);
  EXPECT_GE(client.bottom, 377);

  // Shown, it is on screen for the monitor, keeps the application window hidden and takes
  // the indicator and the LED down.
  EXPECT_FALSE(windows.SettingsWindowOnScreen());
  p.form->Show();
  EXPECT_TRUE(windows.SettingsWindowOnScreen());
  EXPECT_FALSE(IsWindowVisible(p.app->hwnd()));
  EXPECT_TRUE(p.cues.Saw("CloseIndicator"));
  EXPECT_TRUE(p.cues.Saw("ScrollLedOff"));
}

// With no focused control in the program in front, RUVANO's own open IME (the indicator opens
// it) does not count. A "/Show" request that program sends while it answers the IME query
// waits for the end of the tick, so nothing is signalled over the settings window.
TEST(SettingsWindow, NoFocusReadsAsClosedAndAShowRequestDuringTheImeQueryRunsAfterTheTick) {
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"tick faults", 200, 150, 640, 480, true));
  ASSERT_TRUE(target.Activate());
  target.DropFocus();
  ASSERT_TRUE(WaitUntil([] { return GetFocusedWindow() == nullptr; }, 3000));
  Program p;
  ASSERT_TRUE(p.Create());
  WindowImeSwitch().SetOpen(p.form->hwnd(), true);
  ASSERT_TRUE(WaitUntil([&] { return p.cues.ticks >= 3; }, 3000));
  EXPECT_EQ(p.monitor->State().Handles().Count(), 0u);

  ASSERT_TRUE(target.Activate());  // its edit control has the focus again
  ASSERT_TRUE(WaitUntil([&] { return p.cues.Saw("ScrollLedOn"); }, 3000));
  target.ShowWhileAnswering();
  ASSERT_TRUE(WaitUntil([&] { return p.monitor->SettingsWindowOnScreen(); }, 3000));
  testing::PumpFor(300);
  EXPECT_EQ(p.cues.calls.back(), "ScrollLedOff");  // showing the window darkened the LED last
}

TEST(SettingsWindow, OpensAtTheSavedPositionAndKeepsTheSettingsInStepWithItsPlace) {
  TempFolder folder;
  const std::wstring file = folder.path() + L"RUVANO.ini";
  folder.Write(L"RUVANO.ini", "[Window]\r\nTop=120\r\nLeft=230\r\n");
  Program p(file);
  ASSERT_TRUE(p.Create());
  EXPECT_EQ(p.Bounds().left, 230);
  EXPECT_EQ(p.Bounds().top, 120);

  // Moved by the user (or the system), the settings follow; a settings change moves it.
  SetWindowPos(p.form->hwnd(), nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(p.settings.Left(), 300);
  EXPECT_EQ(p.settings.Top(), 310);
  p.settings.SetTop(40);
  EXPECT_EQ(p.Bounds().left, 300);
  EXPECT_EQ(p.Bounds().top, 40);

  // Every close request asks the owner, and the window goes.
  SendMessageW(p.form->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(p.cues.calls.back(), "closing");
  EXPECT_EQ(p.form->hwnd(), nullptr);

  // A place off every monitor is brought back onto the primary one, and the settings follow.
  folder.Write(L"RUVANO.ini", "[Window]\r\nTop=-30000\r\nLeft=40000\r\n");
  Program q(file);
  ASSERT_TRUE(q.Create());
  const RECT r = q.Bounds();
  EXPECT_NE(MonitorFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, MONITOR_DEFAULTTONULL),
            nullptr);
  EXPECT_EQ(q.settings.Left(), r.left);
  EXPECT_EQ(q.settings.Top(), r.top);
}

TEST(SettingsWindow, EachShowingOpensItOnAMonitorWithTheKeyboardFocusOnAControl) {
  Program p;
  ASSERT_TRUE(p.Create());
  // While hidden it came to stand where minimised windows are parked (or its monitor went).
  SetWindowPos(p.form->hwnd(), nullptr, -32000, -32000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  p.form->Show();
  ForceForegroundWindow(p.form->hwnd());
  const RECT r = p.Bounds();
  EXPECT_NE(MonitorFromPoint(POINT{r.left, r.top}, MONITOR_DEFAULTTONULL), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == p.form->hwnd(); }, 3000));
  EXPECT_TRUE(IsChild(p.form->hwnd(), GetFocus())) << "no control has the focus";

  // The user leaves from the hint text for another window and comes back: the text has it.
  const HWND edit = FindWindowExW(p.form->hwnd(), nullptr, L"Edit", nullptr);
  SetFocus(edit);
  UniqueWindow other = testing::MakeTestWindow(L"RuvanoOtherWindow", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ForceForegroundWindow(other.get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.get(); }, 3000));
  ForceForegroundWindow(p.form->hwnd());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == p.form->hwnd(); }, 3000));
  EXPECT_EQ(GetFocus(), edit);
}

}  // namespace
}  // namespace ruvano

namespace ruvano {
namespace {

// The user's Run value "RUVANO" as it was before the test, put back afterwards, with no switch.
class RunValueGuard {
 public:
  RunValueGuard() : before_(key_.Read()) { key_.Remove(); }
  ~RunValueGuard() { before_ ? key_.Write(*before_) : key_.Remove(), key_.RemoveApproval(); }
  std::optional<Text> Now() { return key_.Read(); }

 private:
  Win32RunKey key_;
  std::optional<Text> before_;
};

TEST(SettingsWindow, TheSignInCheckBoxWritesAndRemovesTheRunValue) {
  RunValueGuard guard;
  Program p;
  ASSERT_TRUE(p.Create());
  EXPECT_FALSE(guard.Now());  // nothing written at start
  HWND box = FindWindowExW(p.form->hwnd(), nullptr, L"BUTTON", L"サインイン時に起動(&S)");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  p.form->Show();
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(guard.Now(), u"\"" + ThisExecutablePath() + u"\"");
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_FALSE(guard.Now());
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // A value naming another copy shows unticked when the window shows again.
  Win32RunKey().Write(u"\"C:\\elsewhere\\RUVANO.exe\"");
  ShowWindow(p.form->hwnd(), SW_HIDE);
  p.form->Show();
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  // Switched off in Task Manager: unticked with the note, until a tick removes the switch.
  HWND note = GetDlgItem(p.form->hwnd(), IDC_SIGN_IN_NOTE);
  EXPECT_FALSE(IsWindowVisible(note));
  Win32RunKey().Write(u"\"" + ThisExecutablePath() + u"\"");
  const BYTE off[12] = {0x03};  // Task Manager's switch, as it writes it when off
  RegSetKeyValueW(HKEY_CURRENT_USER, kStartupApprovedKeyPath, kRunValueName, REG_BINARY, off, sizeof(off));
  ShowWindow(p.form->hwnd(), SW_HIDE);
  p.form->Show();
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(IsWindowVisible(note));
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_FALSE(IsWindowVisible(note));
  EXPECT_FALSE(Win32RunKey().ReadApproval());
}

}  // namespace
}  // namespace ruvano
