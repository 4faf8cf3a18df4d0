// Where the monitor stays quiet (the programs left alone, full-screen programs) and the start
// at sign-in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_desktop.h"
#include "monitor/excluded_apps.h"
#include "monitor/full_screen.h"
#include "monitor/monitor_tick.h"
#include "settings/settings.h"
#include "ui/sign_in_start.h"

namespace ruvano {
namespace {

using fakes::FakeDesktop;
using fakes::FakeProgramWindows;

TEST(ExcludedApps, NamesAreSplitTrimmedAndComparedInAnyAsciiCase) {
  EXPECT_EQ(ExcludedAppNames(u" a.exe ;;\tB.EXE; ;c d.exe;"),
            (std::vector<Text>{u"a.exe", u"B.EXE", u"c d.exe"}));
  EXPECT_TRUE(ExcludedAppNames(u" ; ").empty());
  const Text list = u"Notepad.EXE ; winword.exe";
  EXPECT_TRUE(IsExcludedApp(list, u"notepad.exe"));
  EXPECT_TRUE(IsExcludedApp(list, u"WINWORD.exe"));
  EXPECT_FALSE(IsExcludedApp(list, u"notepad") || IsExcludedApp(list, u""));
  EXPECT_FALSE(IsExcludedApp(u"ÄB.exe", u"äb.exe"));  // only A to Z fold
  EXPECT_EQ(ImageFileName(u"C:\\Program Files\\x\\App.exe"), u"App.exe");
}

TEST(ExcludedApps, AddingANameKeepsTheListFreeOfRepeats) {
  EXPECT_EQ(WithExcludedApp(u"", u"a.exe"), u"a.exe");
  EXPECT_EQ(WithExcludedApp(u"a.exe", u"b.exe"), u"a.exe;b.exe");
  EXPECT_EQ(WithExcludedApp(u"a.exe; ", u"b.exe"), u"a.exe;b.exe");
  EXPECT_EQ(WithExcludedApp(u"A.EXE", u"a.exe"), u"A.EXE");
  EXPECT_EQ(WithExcludedApp(u"a.exe", u""), u"a.exe");
}

// Answers as SHQueryUserNotificationState (learn.microsoft.com/windows/win32/api/shellapi/
// nf-shellapi-shqueryusernotificationstate), GetWindowLongW, IsZoomed and GetMonitorInfoW
// would for one window on a 1920 x 1080 monitor.
struct FakeFullScreen final : IFullScreenProbe {
  std::optional<NotificationState> state = NotificationState::AcceptsNotifications;
  bool caption = true;
  bool maximised = false;
  Rect window{0, 0, 1920, 1080};
  int asked = 0;
  std::optional<NotificationState> UserNotificationState() override { return ++asked, state; }
  bool HasCaption(WindowId) override { return ++asked, caption; }
  bool IsMaximised(WindowId) override { return ++asked, maximised; }
  bool WindowAndMonitor(WindowId, Rect& w, Rect& m) override {
    ++asked;
    w = window;
    m = {0, 0, 1920, 1080};
    return true;
  }
};

TEST(FullScreen, TheShellsWordOrACaptionlessWindowCoveringItsMonitor) {
  using S = NotificationState;
  const struct {
    const char* name;
    std::optional<S> state;
    bool caption, maximised, desktop;
    Rect window;
    bool full;
  } cases[] = {
      // The shell answers for the whole machine: busy and Direct3D count for the window in
      // front only when it covers its monitor, whatever its frame; presentation mode always.
      {"Direct3D exclusive", S::RunningD3dFullScreen, true, false, false, {0, 0, 1920, 1080}, true},
      {"Direct3D elsewhere", S::RunningD3dFullScreen, true, false, false, {0, 0, 800, 600}, false},
      {"presentation", S::PresentationMode, true, false, false, {0, 0, 800, 600}, true},
      {"presentation over the desktop", S::PresentationMode, false, false, true, {0, 0, 1920, 1080}, true},
      {"busy, maximised over the screen", S::Busy, true, true, false, {-8, -8, 1928, 1088}, true},
      {"busy elsewhere or an overlay", S::Busy, true, false, false, {0, 0, 800, 600}, false},
      {"busy behind the desktop", S::Busy, false, false, true, {0, 0, 1920, 1080}, false},
      {"quiet time", S::QuietTime, true, false, false, {0, 0, 1920, 1080}, false},
      {"captioned over the screen", S::AcceptsNotifications, true, false, false, {-8, -8, 1928, 1088}, false},
      {"borderless video", S::AcceptsNotifications, false, false, false, {0, 0, 1920, 1080}, true},
      {"borderless beyond the edges", std::nullopt, false, false, false, {-1, -1, 1921, 1081}, true},
      {"borderless, one pixel short",
       S::AcceptsNotifications,
       false,
       false,
       false,
       {0, 0, 1920, 1079},
       false},
      {"own title bar, maximised", S::AcceptsNotifications, false, true, false, {0, 0, 1920, 1080}, false},
      {"the desktop", S::AcceptsNotifications, false, false, true, {0, 0, 1920, 1080}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeFullScreen probe;
    probe.state = c.state;
    probe.caption = c.caption;
    probe.maximised = c.maximised;
    probe.window = c.window;
    EXPECT_EQ(FullScreenInFront(probe, 0x40, c.desktop), c.full);
  }
  FakeFullScreen probe;  // an ordinary window costs two questions
  EXPECT_FALSE(FullScreenInFront(probe, 0x40, false));
  EXPECT_EQ(probe.asked, 2);
}

struct Rig {
  static constexpr WindowId kApp = 0x10, kEditor = 0x20, kFrame = 0x30, kStoreApp = 0x31;
  FakeDesktop desk;
  FakeProgramWindows program;
  Settings settings;
  FakeFullScreen fullScreen;
  MonitorTick tick{desk, program, settings, &fullScreen};
  Rig() {
    program.applicationWindow = kApp;
    desk.Add(kApp, {.visible = false});
    desk.Add(kEditor, {.processPath = u"C:\\Tools\\Editor.exe", .imeOpen = true});
    desk.Add(kFrame, {.className = u"ApplicationFrameWindow",
                      .processPath = u"C:\\Windows\\System32\\ApplicationFrameHost.exe"});
    desk.Add(kStoreApp, {.className = u"Windows.UI.Core.CoreWindow",
                         .root = kFrame,
                         .processPath = u"C:\\Program Files\\WindowsApps\\Calc\\CalculatorApp.exe"});
    settings.SetIcon(true);
  }
  fakes::Wanted Tick(WindowId w) {
    desk.foreground = w;
    return fakes::Summary(tick.Run());
  }
};

TEST(ExcludedApps, AListedProgramIsLeftAloneAsTheTaskbarIs) {
  Rig r;
  EXPECT_TRUE(r.Tick(Rig::kEditor).indicator);
  r.settings.SetExcludeApps(u"other.exe; editor.EXE");
  EXPECT_EQ(r.Tick(Rig::kEditor), (fakes::Wanted{.led = false, .closeIndicator = true}));
  EXPECT_EQ(r.tick.ActiveWindow(), 0u);
  EXPECT_EQ(r.tick.LastQualifiedWindow(), Rig::kEditor);  // from before it was listed

  // A store app is named by the app its host's frame holds, not by the host.
  r.desk.At(Rig::kFrame).imeOpen = true;
  r.settings.SetExcludeApps(u"ApplicationFrameHost.exe");
  r.Tick(Rig::kFrame);
  EXPECT_EQ(r.tick.ActiveWindow(), Rig::kFrame);
  EXPECT_EQ(AppImageName(r.desk, Rig::kFrame), u"CalculatorApp.exe");
  r.settings.SetExcludeApps(u"calculatorapp.exe");
  r.Tick(Rig::kFrame);
  EXPECT_EQ(r.tick.ActiveWindow(), 0u);
  // A frame without its app (suspended) is the host's own.
  r.desk.Destroy(Rig::kStoreApp);
  EXPECT_EQ(AppImageName(r.desk, Rig::kFrame), u"ApplicationFrameHost.exe");
}

TEST(FullScreen, TheMonitorRestsForItButKeepsTheLed) {
  Rig r;
  r.settings.SetHint(true);
  EXPECT_TRUE(r.Tick(Rig::kEditor).indicator);
  r.fullScreen.state = NotificationState::RunningD3dFullScreen;
  EXPECT_EQ(r.Tick(Rig::kEditor), (fakes::Wanted{.hideHint = true}));
  EXPECT_EQ(r.tick.ActiveWindow(), Rig::kEditor);
  r.settings.SetQuietFullScreen(false);
  EXPECT_TRUE(r.Tick(Rig::kEditor).indicator);
}

// The Run key's value as the registry keeps it: RegQueryValueExW, RegSetValueExW and
// RegDeleteValueW (learn.microsoft.com/windows/win32/setupapi/run-and-runonce-registry-keys).
// Task Manager's switch beside it is undocumented: 12 bytes, the first 02 when on, 03 when off.
struct FakeRunKey final : IRunKey {
  std::optional<Text> value;
  std::optional<std::vector<std::uint8_t>> approval;
  int writes = 0;
  std::optional<Text> Read() override { return value; }
  bool Write(const Text& command) override { return ++writes, value = command, true; }
  bool Remove() override { return value.reset(), true; }
  std::optional<std::vector<std::uint8_t>> ReadApproval() override { return approval; }
  bool RemoveApproval() override { return approval.reset(), true; }
};

TEST(SignInStart, OnOnlyWhenTheValueStartsThisCopy) {
  const Text exe = u"C:\\Tools\\RUVANO\\RUVANO.exe";
  const struct {
    std::optional<Text> value;
    bool on;
  } cases[] = {
      {std::nullopt, false},
      {u"\"C:\\Tools\\RUVANO\\RUVANO.exe\"", true},
      {u"\"c:\\tools\\ruvano\\ruvano.EXE\"", true},
      {u"C:\\Tools\\RUVANO\\RUVANO.exe", false},  // unquoted
      {u"\"D:\\Old\\RUVANO.exe\"", false},
      {u"", false},
  };
  for (const auto& c : cases) {
    FakeRunKey key;
    key.value = c.value;
    EXPECT_EQ(SignInStart(key, exe).On(), c.on)
        << (c.value ? std::string(c.value->begin(), c.value->end()) : "none");
  }
  // Ticking writes this copy's quoted path, mending one that names another; unticking removes it.
  FakeRunKey key;
  key.value = u"\"D:\\Old\\RUVANO.exe\"";
  SignInStart start(key, exe);
  EXPECT_TRUE(start.Set(true));
  EXPECT_EQ(key.value, Text(u"\"C:\\Tools\\RUVANO\\RUVANO.exe\""));
  EXPECT_FALSE(start.Set(false));
  EXPECT_FALSE(key.value);
  FakeRunKey none;  // without its own path the program writes nothing
  EXPECT_FALSE(SignInStart(none, u"").Set(true));
  EXPECT_EQ(none.writes, 0);
}

TEST(SignInStart, SwitchedOffInTaskManagerShowsOffUntilTickedAgain) {
  const Text exe = u"C:\\RUVANO.exe", mine = u"\"C:\\RUVANO.exe\"";
  using Bytes = std::vector<std::uint8_t>;
  const Bytes off(12, 0x03);
  auto state = [&](std::optional<Text> value, std::optional<Bytes> approval) {
    FakeRunKey key;
    key.value = value, key.approval = approval;
    return std::pair(SignInStart(key, exe).On(), SignInStart(key, exe).DisabledInTaskManager());
  };
  EXPECT_EQ(state(mine, off), std::pair(false, true));
  EXPECT_EQ(state(mine, Bytes(12, 0x02)), std::pair(true, false));
  EXPECT_EQ(state(u"\"D:\\RUVANO.exe\"", off), std::pair(false, false));  // another copy's value
  EXPECT_EQ(state(std::nullopt, off), std::pair(false, false));           // a switch left behind
  FakeRunKey key;
  key.value = mine;
  key.approval = off;
  EXPECT_TRUE(SignInStart(key, exe).Set(true));  // ticking removes the switch
  EXPECT_FALSE(key.approval);
  key.approval = off;
  EXPECT_FALSE(SignInStart(key, exe).Set(false));  // unticking leaves it to Task Manager
  EXPECT_TRUE(key.approval);
}

}  // namespace
}  // namespace ruvano
