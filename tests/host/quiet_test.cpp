// The programs left alone: the exclusion list and the tick's view of it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_desktop.h"
#include "monitor/excluded_apps.h"
#include "monitor/monitor_tick.h"
#include "settings/settings.h"

namespace ruvano {
namespace {

using fakes::FakeCues;
using fakes::FakeDesktop;

TEST(ExcludedApps, NamesAreSplitTrimmedAndComparedInAnyAsciiCase) {
  EXPECT_EQ(ExcludedAppNames(u" a.exe ;;\tB.EXE; ;c d.exe;"), (std::vector<Text>{u"a.exe", u"B.EXE", u"c d.exe"}));
  EXPECT_TRUE(ExcludedAppNames(u" ; ").empty());
  const Text list = u"Notepad.EXE ; winword.exe";
  EXPECT_TRUE(IsExcludedApp(list, u"notepad.exe"));
  EXPECT_TRUE(IsExcludedApp(list, u"WINWORD.exe"));
  EXPECT_FALSE(IsExcludedApp(list, u"notepad"));
  EXPECT_FALSE(IsExcludedApp(list, u""));
  EXPECT_FALSE(IsExcludedApp(u"ÄB.exe", u"äb.exe"));  // only A to Z fold
  EXPECT_EQ(ImageFileName(u"C:\\Program Files\\x\\App.exe"), u"App.exe");
  EXPECT_EQ(ImageFileName(u"D:app.exe"), u"app.exe");
}

TEST(ExcludedApps, AddingANameKeepsTheListFreeOfRepeats) {
  EXPECT_EQ(WithExcludedApp(u"", u"a.exe"), u"a.exe");
  EXPECT_EQ(WithExcludedApp(u"a.exe", u"b.exe"), u"a.exe;b.exe");
  EXPECT_EQ(WithExcludedApp(u"a.exe; ", u"b.exe"), u"a.exe;b.exe");
  EXPECT_EQ(WithExcludedApp(u"A.EXE", u"a.exe"), u"A.EXE");
  EXPECT_EQ(WithExcludedApp(u"a.exe", u""), u"a.exe");
}

struct Rig {
  static constexpr WindowId kApp = 0x10, kEditor = 0x20, kFrame = 0x30, kStoreApp = 0x31;
  FakeDesktop desk;
  FakeCues cues;
  Settings settings;
  MonitorTick tick{desk, cues, cues, settings};
  Rig() {
    cues.applicationWindow = kApp;
    desk.Add(kApp, {.visible = false});
    desk.Add(kEditor, {.processPath = u"C:\\Tools\\Editor.exe", .imeOpen = true});
    desk.Add(kFrame, {.className = u"ApplicationFrameWindow",
                      .processPath = u"C:\\Windows\\System32\\ApplicationFrameHost.exe"});
    desk.Add(kStoreApp, {.className = u"Windows.UI.Core.CoreWindow",
                         .root = kFrame,
                         .processPath = u"C:\\Program Files\\WindowsApps\\Calc\\CalculatorApp.exe"});
    settings.SetIcon(true);
  }
  std::vector<std::string> Tick(WindowId w) {
    desk.foreground = w;
    cues.log.clear();
    tick.Run();
    return cues.TakeLog();
  }
};

TEST(ExcludedApps, AListedProgramIsLeftAloneAsTheTaskbarIs) {
  Rig r;
  r.Tick(Rig::kEditor);
  EXPECT_TRUE(r.cues.indicatorVisible);
  r.settings.SetExcludeApps(u"other.exe; editor.EXE");
  EXPECT_EQ(r.Tick(Rig::kEditor), (std::vector<std::string>{"TickHint", "CloseIndicator", "ScrollLedOff"}));
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

}  // namespace
}  // namespace ruvano
