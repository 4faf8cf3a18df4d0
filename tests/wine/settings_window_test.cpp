#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/application_window.h"
#include "test_windows.h"
#include "ui/win32/settings_window.h"
#include "wine_test_util.h"
#include "zeq/win32/foreground_win32.h"
#include "zeq/win32/hwnd.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window_style.h"

namespace ruvano {
namespace {

using testing::FakeImeTarget;
using testing::TempFolder;
using testing::WaitUntil;

// Records the cue calls; the tick with number throwOnTick (1-based) throws, and so does every
// ScrollLedOff while failLed is set.
class RecordingCues : public IProgramCues {
 public:
  int ticks = 0;
  int throwOnTick = 0;
  bool failLed = false;
  std::vector<std::string> calls;

  void TickHint() override {
    if (++ticks == throwOnTick) throw std::runtime_error("tick failure");
  }
  void TriggerHint() override {}
  void HideImeHint() override {}
  void PlayCue(bool on) override { calls.push_back(on ? "PlayCue(ON)" : "PlayCue(OFF)"); }
  void ScrollLedOn() override { calls.push_back("ScrollLedOn"); }
  void ScrollLedOff() override {
    calls.push_back("ScrollLedOff");
    if (failLed) throw std::runtime_error("led failure");
  }
  bool IndicatorVisible() override { return false; }
  void ShowIndicator(std::int32_t, std::int32_t) override {}
  void HideIndicator() override {}
  void CloseIndicator() override { calls.push_back("CloseIndicator"); }
  void SetInputMode(InputMode) override {}
  void ClearHint() override {}
  void ReraiseIndicator(std::int32_t left, std::int32_t top) override {
    calls.push_back("Reraise(" + std::to_string(left) + "," + std::to_string(top) + ")");
  }
  bool Saw(const std::string& c) const { return std::find(calls.begin(), calls.end(), c) != calls.end(); }
};

struct Program {
  explicit Program(std::wstring file = L"") : file(std::move(file)) {}
  bool Create() {
    app = AppWindow::Create();
    if (app) form = SettingsWindow::Create(settings, cues, ToText(file), app->hwnd());
    return form != nullptr;
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
  std::unique_ptr<SettingsWindow> form;
};

TEST(SettingsWindow, IsCreatedHiddenOwnedByTheApplicationWindowAndFindsTheDesktop) {
  UniqueWindow progman = testing::MakeTestWindow(L"Progman", WS_POPUP);
  UniqueWindow view = testing::MakeTestWindow(L"SHELLDLL_DefView", WS_CHILD, progman.get());
  Program p;
  ASSERT_TRUE(p.Create());
  EXPECT_EQ(FindWindowW(L"TmainForm", L"RUVANO"), p.form->hwnd());
  EXPECT_FALSE(IsWindowVisible(p.form->hwnd()));
  EXPECT_FALSE(IsWindowVisible(p.app->hwnd()));
  EXPECT_EQ(GetRootWindow(p.form->hwnd()), p.app->hwnd());
  EXPECT_EQ(p.form->ApplicationWindow(), FromHwnd(p.app->hwnd()));
  EXPECT_EQ(p.form->DesktopWnd(), FromHwnd(progman.get()));
  EXPECT_TRUE(p.form->TimerRunning());

  // A fixed dialog frame with the Close button only.
  const LONG style = GetWindowLongW(p.form->hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT client{};
  GetClientRect(p.form->hwnd(), &client);
  EXPECT_GE(client.right, SettingsWindow::kClientWidth);
  EXPECT_GE(client.bottom, SettingsWindow::kClientHeight);

  // Shown, it reports itself visible, keeps the application window hidden and takes the
  // indicator and the LED down.
  EXPECT_FALSE(p.form->SettingsWindowVisible());
  p.form->Show();
  EXPECT_TRUE(p.form->SettingsWindowVisible());
  EXPECT_FALSE(IsWindowVisible(p.app->hwnd()));
  EXPECT_TRUE(p.cues.Saw("CloseIndicator"));
  EXPECT_TRUE(p.cues.Saw("ScrollLedOff"));

  // Losing the activation to another program raises the indicator again at the anchor.
  p.form->tick().SetAnchor(321, -7);
  SendMessageW(p.form->hwnd(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_TRUE(p.cues.Saw("Reraise(321,-7)"));
}

TEST(SettingsWindow, TimerRunsTheTickUntilCloseAndAFailingTickDoesNotStopIt) {
  Program p;
  p.cues.throwOnTick = 2;
  ASSERT_TRUE(p.Create());
  EXPECT_TRUE(WaitUntil([&] { return p.cues.ticks >= 4; }, 3000));

  // Held off (a press on the indicator) the tick does not run; switched on again it resumes.
  p.form->SetTickTimerEnabled(false);
  int ticks = p.cues.ticks;
  testing::PumpFor(600);
  EXPECT_EQ(p.cues.ticks, ticks);
  p.form->SetTickTimerEnabled(true);
  EXPECT_TRUE(WaitUntil([&] { return p.cues.ticks > ticks; }, 3000));

  p.cues.calls.clear();
  SendMessageW(p.form->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(p.form->hwnd(), nullptr);
  EXPECT_TRUE(p.cues.Saw("ScrollLedOff"));
  ticks = p.cues.ticks;
  testing::PumpFor(600);
  EXPECT_EQ(p.cues.ticks, ticks);
}

TEST(SettingsWindow, TickSeesTheForegroundProgramsImeTurnOnAndOff) {
  Program p;
  ASSERT_TRUE(p.Create());
  FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"tick end to end"));
  ASSERT_TRUE(target.Activate());
  const Hwnd key = FromHwnd(target.window());
  ASSERT_TRUE(WaitUntil([&] { return p.form->tick().ActiveWindow() == FromHwnd(target.window()); }, 3000));
  EXPECT_FALSE(p.cues.Saw("PlayCue(ON)"));

  target.SetOpen(true);
  ASSERT_TRUE(WaitUntil([&] { return p.cues.Saw("PlayCue(ON)"); }, 3000));
  EXPECT_EQ(p.form->tick().Handles().IndexOf(key), 0);
  EXPECT_TRUE(p.cues.Saw("ScrollLedOn"));
  target.SetOpen(false);
  EXPECT_TRUE(WaitUntil([&] { return p.form->tick().Handles().IndexOf(key) == -1; }, 3000));
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
  EXPECT_EQ(p.form->tick().Handles().Count(), 0u);

  ASSERT_TRUE(target.Activate());  // its edit control has the focus again
  ASSERT_TRUE(WaitUntil([&] { return p.cues.Saw("ScrollLedOn"); }, 3000));
  target.ShowWhileAnswering();
  ASSERT_TRUE(WaitUntil([&] { return p.form->SettingsWindowVisible(); }, 3000));
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

  // Every close request writes the window's place, the LED going dark first.
  SendMessageW(p.form->hwnd(), WM_CLOSE, 0, 0);
  const std::string saved = folder.Read(L"RUVANO.ini");
  EXPECT_NE(saved.find("Top=40\r\nLeft=300\r\n"), std::string::npos) << saved;
  ASSERT_FALSE(p.cues.calls.empty());
  EXPECT_EQ(p.cues.calls.back(), "ScrollLedOff");

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
  const HWND edit = p.form->panel().Control(SettingsPanel::Part::HintEdit);
  SetFocus(edit);
  UniqueWindow other = testing::MakeTestWindow(L"RuvanoOtherWindow", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  ForceForegroundWindow(other.get());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.get(); }, 3000));
  ForceForegroundWindow(p.form->hwnd());
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == p.form->hwnd(); }, 3000));
  EXPECT_EQ(GetFocus(), edit);
}

// A click on a toolbar button, as the toolbar reports it to its parent.
void ClickToolButton(SettingsWindow& form, int id) {
  SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(form.panel().Control(SettingsPanel::Part::Toolbar)));
}

TEST(SettingsWindow, QuitButtonClosesLikeTheTitleBar) {
  TempFolder folder;
  Program p(folder.path() + L"RUVANO.ini");
  ASSERT_TRUE(p.Create());
  ASSERT_NE(p.form->panel().Control(SettingsPanel::Part::Toolbar), nullptr);
  p.cues.calls.clear();
  ClickToolButton(*p.form, SettingsPanel::kCloseButton);
  EXPECT_TRUE(WaitUntil([&] { return p.form->hwnd() == nullptr; }, 3000));
  EXPECT_EQ(p.cues.calls, std::vector<std::string>{"ScrollLedOff"});
  EXPECT_NE(folder.Read(L"RUVANO.ini").find("[Config]"), std::string::npos);
}

TEST(SettingsWindow, EndOfSessionQuerySavesAndAgreesAndAFailingCloseStepStopsNothing) {
  TempFolder folder;
  Program p(folder.path() + L"RUVANO.ini");
  ASSERT_TRUE(p.Create());
  // The LED step fails: the file is written all the same and the logon may end.
  p.cues.failLed = true;
  EXPECT_EQ(SendMessageW(p.form->hwnd(), WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_NE(folder.Read(L"RUVANO.ini").find("[Config]"), std::string::npos);
  // The logon goes on: the program keeps running.
  SendMessageW(p.form->hwnd(), WM_ENDSESSION, FALSE, 0);
  EXPECT_TRUE(IsWindow(p.form->hwnd()));

  // A settings file that cannot be written does not keep the window from closing.
  Program q(folder.path() + L"missing\\RUVANO.ini");
  ASSERT_TRUE(q.Create());
  SendMessageW(q.form->hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(q.form->hwnd(), nullptr);
}

}  // namespace
}  // namespace ruvano
