#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "fake_desktop.h"
#include "monitor/monitor_tick.h"
#include "settings/settings.h"

namespace ruvano {
namespace {

using fakes::FakeDesktop;
using fakes::FakeProgramWindows;
using fakes::FakeWindow;
using fakes::Wanted;
using Q = FakeDesktop::Query;

constexpr WindowId kApp = 0x00020010;      // the program's hidden application window
constexpr WindowId kDesktop = 0x00010010;  // the desktop ("Progman"), 1920 x 1080
constexpr WindowId kA = 0x00010094;        // 100, 50, 900, 650: top-left anchor 104, 54
constexpr WindowId kB = 0x000300A2;        // on a monitor left of the primary: anchor -1284, 211
constexpr WindowId kHigh = 0xFFFF1234;     // a handle above 0x7FFFFFFF
constexpr Point kAtA{104, 54};
constexpr Point kAtB{-1284, 211};

// The indicator at p while the Icon option is on.
std::optional<Point> IconAt(bool icon, Point p) { return icon ? std::optional(p) : std::nullopt; }
// The sound on (ON) or off (OFF) when it plays.
std::optional<bool> Sound(bool plays, bool on) { return plays ? std::optional(on) : std::nullopt; }

struct Flags {
  bool mute = false;
  bool off = true;
  bool hint = true;
  bool icon = true;
};

std::vector<Flags> EveryFlagCombination() {
  std::vector<Flags> all;
  for (int i = 0; i < 16; ++i) all.push_back({bool(i & 1), bool(i & 2), bool(i & 4), bool(i & 8)});
  return all;
}

std::string Describe(const Flags& f) {
  return "Mute=" + std::to_string(f.mute) + " OFF=" + std::to_string(f.off) +
         " Hint=" + std::to_string(f.hint) + " Icon=" + std::to_string(f.icon);
}

// A tick wired to a scripted desktop with the program's windows, the desktop and two
// ordinary windows A and B.
struct Rig {
  FakeDesktop desk;
  FakeProgramWindows program;
  Settings settings;
  MonitorTick tick{desk, program, settings};

  explicit Rig(Flags f = {}) {
    program.applicationWindow = kApp;
    program.desktopWnd = program.desktopFound = kDesktop;
    desk.Add(kApp, {.className = u"TApplication", .visible = false});
    desk.Add(kDesktop, {.className = u"Progman", .rect = {0, 0, 1920, 1080}});
    desk.Add(kA);
    desk.Add(kB, {.className = u"Chrome_WidgetWin_1", .rect = {-1288, 207, -7, 1000}});
    settings.SetMute(f.mute);
    settings.SetOff(f.off);
    settings.SetHint(f.hint);
    settings.SetIcon(f.icon);
  }

  Wanted Run() {
    desk.ClearQueries();
    return fakes::Summary(tick.Run());
  }
  // Brings w to the front with its IME open or closed and runs one tick.
  Wanted Tick(WindowId w, bool imeOpen) {
    desk.foreground = w;
    if (desk.windows.count(w)) desk.At(w).imeOpen = imeOpen;
    return Run();
  }
  void Seed(std::initializer_list<WindowId> newestFirst) {
    for (auto it = std::rbegin(newestFirst); it != std::rend(newestFirst); ++it) tick.ListAtFront(*it);
  }
  std::vector<WindowId> List() const {
    std::vector<WindowId> l;
    for (std::size_t i = 0; i < tick.Handles().Count(); ++i) l.push_back(tick.Handles().At(i));
    return l;
  }
  std::vector<Q> Asked() const {
    std::vector<Q> q;
    for (const auto& c : desk.queries) q.push_back(c.query);
    return q;
  }
  void ExpectReset() const {
    EXPECT_EQ(tick.ActiveWindow(), 0u);
    EXPECT_EQ(tick.ActiveRect(), Rect{});
    EXPECT_EQ(tick.AnchorLeft(), 0);
    EXPECT_EQ(tick.AnchorTop(), 0);
  }
};

// ---- The rows of the case table, under every combination of Mute, OFF, Hint and Icon ----

TEST(MonitorTickCases, NewWindowWithImeClosedOnlyHidesTheIndicator) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Seed({kB});
    r.Tick(kA, true);
    EXPECT_EQ(r.Tick(kB, false), Wanted{});
    EXPECT_EQ(r.tick.ActiveWindow(), kB);
    EXPECT_EQ(r.tick.ActiveRect(), (Rect{-1288, 207, -7, 1000}));
    EXPECT_EQ(r.List(), (std::vector<WindowId>{kA, kB}));
  }
}

TEST(MonitorTickCases, NewWindowWithImeOpenSignalsAfreshAndMovesItsEntryToTheFront) {
  for (const Flags& f : EveryFlagCombination()) {
    for (bool alreadyListed : {false, true}) {
      SCOPED_TRACE(Describe(f) + (alreadyListed ? " B listed" : " B not listed"));
      Rig r(f);
      if (alreadyListed) r.Seed({kB});
      r.Tick(kA, true);
      EXPECT_EQ(r.Tick(kB, true), (Wanted{.indicator = IconAt(f.icon, kAtB),
                                          .led = true,
                                          .sound = Sound(!f.mute, true),
                                          .triggerHint = true}));
      EXPECT_EQ(r.tick.ActiveWindow(), kB);
      EXPECT_EQ(r.List(), (std::vector<WindowId>{kB, kA}));
    }
  }
}

TEST(MonitorTickCases, SameWindowImeTurnedOnAddsTheKeyAndSignals) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Tick(kA, false);
    EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = IconAt(f.icon, kAtA),
                                        .led = true,
                                        .sound = Sound(!f.mute, true),
                                        .triggerHint = true}));
    EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
  }
}

TEST(MonitorTickCases, SameWindowImeStillOnOnlyKeepsIndicatorAndLed) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Tick(kA, true);
    // The same state as before: the program shows again an indicator taken down elsewhere
    // (as showing the settings window does).
    EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = IconAt(f.icon, kAtA), .led = true}));
    EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = IconAt(f.icon, kAtA), .led = true}));
    EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
  }
}

TEST(MonitorTickCases, SameWindowImeTurnedOffDeletesTheEntryAndUndoesTheCues) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Tick(kA, true);
    EXPECT_EQ(r.Tick(kA, false),
              (Wanted{.led = false, .sound = Sound(f.off && !f.mute, false), .hideHint = f.hint}));
    EXPECT_TRUE(r.List().empty());
  }
}

TEST(MonitorTickCases, SameWindowImeClosedAndNotListedHidesHintAndIndicatorOnly) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Tick(kA, false);
    EXPECT_EQ(r.Tick(kA, false), (Wanted{.hideHint = f.hint}));
  }
}

TEST(MonitorTickCases, IndicatorFollowsAWindowThatMovesOrResizes) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Tick(kA, true);
    // A new frame is a new place: the program shows the indicator afresh there.
    r.desk.At(kA).rect = {300, 50, 1100, 650};
    EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = IconAt(f.icon, {304, 54}), .led = true}));
    EXPECT_EQ(r.tick.ActiveRect(), (Rect{300, 50, 1100, 650}));
    r.desk.At(kA).rect.bottom = 700;  // resized only; the top-left anchor stays
    const WantedCues resized = r.tick.Run();
    EXPECT_EQ(fakes::Summary(resized), (Wanted{.indicator = IconAt(f.icon, {304, 54}), .led = true}));
    if (f.icon) {
      EXPECT_EQ(resized.state.frame, (Rect{300, 50, 1100, 700}));
    }
    EXPECT_EQ(r.tick.ActiveRect(), (Rect{300, 50, 1100, 700}));
    r.desk.At(kA).rect.left = 301;  // moved while the IME is turned off
    EXPECT_EQ(r.Tick(kA, false),
              (Wanted{.led = false, .sound = Sound(f.off && !f.mute, false), .hideHint = f.hint}));
  }
}

// ---- Windows that do not qualify ----

TEST(MonitorTickQualification, NonQualifyingWindowsResetTheFieldsAndTakeTheCuesDown) {
  constexpr WindowId kOther = 0x00050020;
  const struct {
    const char* name;
    std::function<void(Rig&)> arrange;
  } cases[] = {
      {"no foreground window", [](Rig& r) { r.desk.foreground = 0; }},
      {"destroyed window", [](Rig& r) { r.desk.foreground = 0x00990099; }},
      {"taskbar",
       [](Rig& r) {
         r.desk.Add(kOther, {.className = u"Shell_TrayWnd"});
         r.desk.foreground = kOther;
       }},
      {"secondary taskbar",
       [](Rig& r) {
         r.desk.Add(kOther, {.className = u"Shell_SecondaryTrayWnd"});
         r.desk.foreground = kOther;
       }},
      {"disabled", [](Rig& r) { r.desk.At(kA).enabled = false; }},
      {"hidden", [](Rig& r) { r.desk.At(kA).visible = false; }},
      {"minimised", [](Rig& r) { r.desk.At(kA).iconic = true; }},
      {"parked at -32000,-32000",
       [](Rig& r) {
         r.desk.At(kA).rect = {-32000, -32000, -31840, -31972};
       }},
      {"rectangle unreadable", [](Rig& r) { r.desk.At(kA).rectReadable = false; }},
      {"program's own window",
       [](Rig& r) {
         r.desk.Add(kOther, {.className = u"TmainForm", .root = kApp});
         r.desk.foreground = kOther;
       }},
  };
  for (const auto& c : cases) {
    for (bool hint : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (hint ? " Hint on" : " Hint off"));
      Rig r({.hint = hint});
      r.Seed({kB});
      r.Tick(kA, true);
      c.arrange(r);
      EXPECT_EQ(r.Run(), (Wanted{.led = false, .hideHint = hint, .closeIndicator = true}));
      r.ExpectReset();
      EXPECT_EQ(r.List(), (std::vector<WindowId>{kA, kB}));
      EXPECT_EQ(
          r.desk.Count(Q::GetFocusedWindow) + r.desk.Count(Q::ImeOpenStatus) + r.desk.Count(Q::IsWin8OrLater),
          0);
    }
  }
}

TEST(MonitorTickQualification, ChecksRunInOrderAndStopAtTheFirstFailure) {
  const std::vector<Q> order = {Q::ClassName, Q::IsWindowEnabled, Q::IsWindowVisible,
                                Q::IsIconic,  Q::GetRootWindow,   Q::GetValidWindowRect};
  const struct {
    const char* name;
    std::function<void(FakeWindow&)> spoil;
    std::size_t asked;
    Decision decision;  // as the diagnosis reports it
  } cases[] = {
      {"qualifies", [](FakeWindow&) {}, 6, Decision::Signalled},
      {"disabled", [](FakeWindow& w) { w.enabled = false; }, 2, Decision::Disabled},
      {"hidden", [](FakeWindow& w) { w.visible = false; }, 3, Decision::Invisible},
      {"minimised", [](FakeWindow& w) { w.iconic = true; }, 4, Decision::Minimised},
      {"own window", [](FakeWindow& w) { w.root = kApp; }, 5, Decision::OwnWindow},
      {"no rectangle", [](FakeWindow& w) { w.rectReadable = false; }, 6, Decision::NoRectangle},
      {"taskbar", [](FakeWindow& w) { w.className = u"Shell_TrayWnd"; }, 6, Decision::Taskbar},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Rig r;
    c.spoil(r.desk.At(kA));
    Observation seen;
    r.tick.Observe(&seen);
    r.Tick(kA, true);
    EXPECT_EQ(seen.front, kA);
    EXPECT_EQ(seen.decision, c.decision);
    EXPECT_EQ(seen.imeOn, c.decision == Decision::Signalled);
    std::vector<Q> asked;
    for (Q q : r.Asked())
      if (std::find(order.begin(), order.end(), q) != order.end()) asked.push_back(q);
    EXPECT_EQ(asked, std::vector<Q>(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(c.asked)));
  }
}

TEST(MonitorTickQualification, ClassNamesCompareExactly) {
  for (const char16_t* cls : {u"shell_traywnd", u"Shell_TrayWnd2", u"Shell_TrayWn"}) {
    Rig r;
    r.desk.At(kA).className = cls;
    r.Tick(kA, true);
    EXPECT_EQ(r.tick.ActiveWindow(), kA);
    EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
  }
}

TEST(MonitorTickQualification, QualifyingTickAsksTheDesktopInOrder) {
  for (bool win11 : {false, true}) {
    SCOPED_TRACE(win11 ? "Windows 11" : "Windows 10");
    Rig r;
    r.desk.win11 = win11;
    r.Tick(kA, true);
    std::vector<FakeDesktop::Call> expected = {{Q::ForegroundWindow, 0}, {Q::IsWin11, 0}};
    if (win11) expected.push_back({Q::GetWindowProcessPath, kA});
    for (Q q : {Q::ClassName, Q::IsWindowEnabled, Q::IsWindowVisible, Q::IsIconic, Q::GetRootWindow,
                Q::GetValidWindowRect, Q::VisibleFrame})
      expected.push_back({q, kA});
    expected.insert(expected.end(), {{Q::IsWin8OrLater, 0},
                                     {Q::NonClientBorderWidth, 0},
                                     {Q::MonitorDpi, 0},
                                     {Q::GetFocusedWindow, 0},
                                     {Q::ImeOpenStatus, kA}});
    EXPECT_EQ(r.desk.queries, expected);
  }
}

TEST(MonitorTickQualification, ImeStateIsAskedOfTheFocusedControl) {
  constexpr WindowId kEdit = 0x00010096;
  Rig r;
  r.desk.Add(kEdit, {.className = u"Edit", .root = kA, .imeOpen = true});
  r.desk.At(kA).focus = kEdit;
  r.Tick(kA, false);                               // A's own IME is closed; its edit control's is open
  EXPECT_EQ(r.List(), std::vector<WindowId>{kA});  // the entry is the window in front
  EXPECT_EQ(r.desk.queries.back(), (FakeDesktop::Call{Q::ImeOpenStatus, kEdit}));

  r.desk.At(kA).focus = WindowId{0};  // no focus: closed, without asking about 0 (our own IME)
  r.desk.ownImeOpen = true;
  r.Run();
  EXPECT_EQ(r.desk.Count(Q::ImeOpenStatus), 0);
  EXPECT_TRUE(r.List().empty());
}

// ---- Windows 11 search and start menu ----

TEST(MonitorTickWin11, SearchAndStartMenuHostsOnlyHideTheIndicator) {
  constexpr WindowId kShell = 0x00070070;
  const struct {
    std::u16string path;
    bool shell;
  } cases[] = {
      {u"C:\\Windows\\SystemApps\\MicrosoftWindows.Client.CBS_cw5n1h2txyewy\\SearchHost.exe", true},
      {u"C:\\Windows\\SystemApps\\Microsoft.Windows.StartMenuExperienceHost_"
       u"cw5n1h2txyewy\\StartMenuExperienceHost.exe",
       true},
      {u"\\Device\\HarddiskVolume3\\Windows\\SEARCHHOST.EXE", true},
      {u"searchhost.exe", true},    // no separator: the whole text
      {u"D:SearchHost.exe", true},  // the colon separates too
      {u"C:/Windows/SearchHost.exe", false},
      {u"C:\\Windows\\xsearchhost.exe", false},
      {u"C:\\Windows\\SearchHost.exe.mui", false},
      {u"C:\\Windows\\explorer.exe", false},
      {u"", false},  // path could not be had
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path.begin(), c.path.end()));
    Rig r;
    r.desk.win11 = true;
    r.desk.Add(kShell,
               {.className = u"Windows.UI.Core.CoreWindow", .rect = {0, 0, 800, 900}, .processPath = c.path});
    r.Tick(kA, true);
    const Wanted wanted = r.Tick(kShell, true);
    EXPECT_EQ(r.tick.ActiveWindow(), kShell);
    if (c.shell) {
      EXPECT_EQ(wanted, Wanted{});
      EXPECT_EQ(r.tick.ActiveRect(), (Rect{100, 50, 900, 650}));
      EXPECT_EQ(r.tick.AnchorLeft(), 104);
      EXPECT_EQ(r.tick.AnchorTop(), 54);
      EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
      // Back to A: a new window again, so it signals afresh.
      EXPECT_EQ(r.Tick(kA, true),
                (Wanted{.indicator = kAtA, .led = true, .sound = true, .triggerHint = true}));
    } else {
      EXPECT_EQ(r.tick.ActiveRect(), (Rect{0, 0, 800, 900}));
      EXPECT_EQ(r.List(), (std::vector<WindowId>{kShell, kA}));
    }
  }
}

TEST(MonitorTickWin11, OtherSystemsNeverReadTheProcessPath) {
  Rig r;
  r.desk.At(kA).processPath = u"C:\\Windows\\SearchHost.exe";
  r.Tick(kA, true);
  EXPECT_EQ(r.desk.Count(Q::GetWindowProcessPath), 0);
  EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
}

// ---- The settings window on screen ----

TEST(MonitorTickSettingsWindow, VisibleSettingsWindowSuspendsAllButCountdownAndPruning) {
  Rig r;
  r.Tick(kA, true);
  r.Seed({4242});  // a destroyed window
  r.program.settingsWindowVisible = true;
  EXPECT_EQ(r.Tick(kB, true), (Wanted{.looked = false}));
  EXPECT_EQ(r.desk.Count(Q::ForegroundWindow), 0);
  EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
  EXPECT_EQ(r.tick.ActiveWindow(), kA);
  EXPECT_EQ(r.tick.ActiveRect(), (Rect{100, 50, 900, 650}));
  EXPECT_EQ(r.tick.AnchorLeft(), 104);
  EXPECT_EQ(r.tick.AnchorTop(), 54);

  // Hidden again (showing it closed the indicator): A in front is the same window.
  r.program.settingsWindowVisible = false;
  EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = kAtA, .led = true}));
}

// ---- The handle list ----

TEST(MonitorTickHandleList, PruningWalksFromTheEndAndDropsDeadAndNullEntries) {
  Rig r;
  r.desk.Add(kHigh);
  r.desk.foreground = 0;
  r.Run();
  EXPECT_EQ(r.desk.Count(Q::IsWindow), 0);  // empty list: nothing asked

  r.Seed({kA, 4242, 4343, kB, 0, 0, kHigh, 0, 4444});
  r.Run();
  EXPECT_EQ(r.List(), (std::vector<WindowId>{kA, kB, kHigh}));
  std::vector<WindowId> asked;
  for (const auto& c : r.desk.queries)
    if (c.query == Q::IsWindow) asked.push_back(c.window);
  EXPECT_EQ(asked, (std::vector<WindowId>{4444, 0, kHigh, 0, 0, kB, 4343, 4242, kA}));
}

TEST(MonitorTickHandleList, HandlesAreInsertedAtTheFrontHighOnesWhole) {
  Rig r;
  r.desk.Add(kHigh);
  r.Tick(kA, true);
  r.Tick(kHigh, true);
  EXPECT_EQ(r.List(), (std::vector<WindowId>{4294906420u, 65684u}));
  r.Run();  // a high handle survives pruning
  EXPECT_EQ(r.List().size(), 2u);
}

TEST(MonitorTickHandleList, LookupTakesTheFirstMatchingEntry) {
  Rig r;
  r.Seed({kA, kB, kA});
  r.Tick(kA, false);
  EXPECT_EQ(r.Run(), (Wanted{.led = false, .sound = false, .hideHint = true}));
  EXPECT_EQ(r.List(), (std::vector<WindowId>{kB, kA}));
}

// ---- Sequences across windows ----

TEST(MonitorTickSequences, SwitchingToAWindowWithImeClosedLeavesListAndLedAlone) {
  Rig r;
  r.Tick(kA, true);
  EXPECT_EQ(r.Tick(kB, false), Wanted{});
  EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
  EXPECT_EQ(r.Run(), (Wanted{.hideHint = true}));
}

TEST(MonitorTickSequences, ReturningToAWindowWhoseImeWentOffInTheBackground) {
  for (const Flags& f : EveryFlagCombination()) {
    SCOPED_TRACE(Describe(f));
    Rig r(f);
    r.Tick(kA, true);
    r.Tick(kB, false);
    EXPECT_EQ(r.Tick(kA, false), Wanted{});
    EXPECT_EQ(r.List(), std::vector<WindowId>{kA});
    EXPECT_EQ(r.Run(), (Wanted{.led = false, .sound = Sound(f.off && !f.mute, false), .hideHint = f.hint}));
    EXPECT_TRUE(r.List().empty());
  }
}

TEST(MonitorTickSequences, ASilentApplicationKeepsTheStateSeenLastForItsWindow) {
  Rig r;
  r.Tick(kA, true);
  r.desk.At(kA).answers = false;  // A hangs with its IME open
  r.Tick(kB, false);
  // Back to A while it is silent: open, as last seen, so no OFF now and no ON when it answers.
  EXPECT_EQ(r.Tick(kA, false), (Wanted{.indicator = kAtA, .led = true, .sound = true, .triggerHint = true}));
  r.desk.At(kA).answers = true;
  EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = kAtA, .led = true}));
}

TEST(MonitorTickSequences, AWindowOfAProgramWithHigherRightsReadsAsClosed) {
  Rig r;
  r.Tick(kA, true);
  r.desk.At(kA).elevated = true;  // its handle now answers for an administrator program
  r.Tick(kB, false);
  // Unlike a silent window, what was seen before for the handle does not stand in: closed.
  EXPECT_EQ(r.Tick(kA, true), Wanted{});
  EXPECT_EQ(r.Run(), (Wanted{.led = false, .sound = false, .hideHint = true}));
  EXPECT_TRUE(r.List().empty());
}

// ---- The anchor as the tick hands it on ----

TEST(MonitorTickAnchor, BorderIsReadAnewOnEveryQualifyingTick) {
  Rig r;
  r.settings.SetIconPosition(2);
  EXPECT_EQ(r.Tick(kA, true),
            (Wanted{.indicator = Point{104, 617}, .led = true, .sound = true, .triggerHint = true}));
  r.desk.nonClientBorderWidth = 5;
  r.Run();
  EXPECT_EQ(r.tick.AnchorTop(), 613);
  EXPECT_EQ(r.desk.Count(Q::NonClientBorderWidth), 1);

  r.desk.win8OrLater = false;  // older systems use the border multiplier
  r.desk.borderMultiplier = 3;
  r.Run();
  EXPECT_EQ(r.tick.AnchorTop(), 615);
  EXPECT_EQ(r.desk.Count(Q::NonClientBorderWidth), 0);
  EXPECT_EQ(r.desk.Count(Q::BorderMultiplier), 1);
}

TEST(MonitorTickAnchor, TheVisibleFrameGivesTheAnchorWhereTheSystemReportsIt) {
  Rig r;
  r.settings.SetIconPosition(3);
  // Maximised on a 1920 x 1080 screen at 100 %: 8 invisible pixels on every side but the top.
  r.desk.At(kA).rect = {-8, -8, 1928, 1048};
  r.desk.At(kA).frame = Rect{0, 0, 1920, 1040};
  r.Tick(kA, true);
  EXPECT_EQ(r.tick.ActiveRect(), (Rect{0, 0, 1920, 1040}));
  EXPECT_EQ(r.tick.AnchorLeft(), 960);
  EXPECT_EQ(r.tick.AnchorTop(), 1040 - 32 - 1);
  // Only the frame moved (the window was restored to the same place, say): that is a change.
  r.desk.At(kA).frame = Rect{0, 0, 1920, 1000};
  const WantedCues moved = r.tick.Run();
  EXPECT_EQ(fakes::Summary(moved), (Wanted{.indicator = Point{960, 967}, .led = true}));
  EXPECT_EQ(moved.state.frame, (Rect{0, 0, 1920, 1000}));
}

TEST(MonitorTickAnchor, DesktopInFrontGetsTheIndicatorAtItsCentre) {
  for (int pos = -1; pos <= 3; ++pos) {
    Rig r;
    r.settings.SetIconPosition(pos);
    r.Tick(kDesktop, true);
    EXPECT_EQ(r.tick.AnchorLeft(), 960) << pos;
    EXPECT_EQ(r.tick.AnchorTop(), 540) << pos;
  }
}

TEST(MonitorTickAnchor, DesktopIsLookedForAgainAfterExplorerMadeANewOne) {
  constexpr WindowId kNew = 0x000400B0;
  Rig r;
  r.desk.Destroy(kDesktop);
  r.desk.Add(kNew, {.className = u"Progman", .rect = {0, 0, 1920, 1080}});
  r.program.desktopFound = kNew;
  r.Tick(kNew, true);
  EXPECT_EQ(r.tick.AnchorLeft(), 960);
  r.Tick(kA, true);
  r.Tick(kNew, true);
  EXPECT_EQ(r.program.desktopLookups, 1);  // not for ordinary windows, nor again for the one found
}

TEST(MonitorTickAnchor, NoPositionKeepsTheLastAnchorOrZeroAfterAReset) {
  Rig r;
  r.Tick(kA, true);
  r.settings.SetIconPosition(-1);
  EXPECT_EQ(r.Tick(kB, true).indicator, kAtA);
  r.Tick(0, false);
  EXPECT_EQ(r.Tick(kB, true).indicator, Point{});
}

// ---- The input mode options ----

constexpr std::uint32_t kHiragana = 0x19, kKatakana = 0x1B, kHalfAlnum = 0x10;

// With 入力モードを表示 the indicator stands for the mode, and a mode change while the IME
// stays open only changes the picture: no sound, hint or LED change.
TEST(MonitorTickInputMode, ShowModeOnlyRepaintsOnAModeChange) {
  Rig r;
  r.settings.SetShowMode(true);
  r.desk.At(kA).conversionMode = kHiragana;
  r.Tick(kA, false);
  EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = kAtA, .led = true, .sound = true, .triggerHint = true}));
  r.desk.At(kA).conversionMode = kKatakana;
  EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = kAtA, .mode = InputMode::Katakana, .led = true}));
  r.desk.At(kA).conversionMode = std::nullopt;  // no answer: hiragana
  EXPECT_EQ(r.Tick(kA, true), (Wanted{.indicator = kAtA, .led = true}));
  // With both options off the mode is never asked for.
  r.settings.SetShowMode(false);
  r.Tick(kA, true);
  EXPECT_EQ(r.desk.Count(Q::ImeConversionMode), 0);
}

// With 半角英数はOFFとみなす, switching between hiragana and half-width alphanumeric gives
// exactly the cues of switching the IME on and off, in the same window and on a switch.
TEST(MonitorTickInputMode, HalfWidthAlphanumericCountsAsClosed) {
  for (bool showMode : {false, true}) {
    SCOPED_TRACE(showMode ? "with the mode shown" : "");
    Rig byMode, byOpen;
    byMode.settings.SetAlnumOff(true);
    byMode.settings.SetShowMode(showMode);
    byMode.desk.At(kA).imeOpen = byMode.desk.At(kB).imeOpen = true;
    auto mode = [&](WindowId w, std::uint32_t bits) {
      byMode.desk.At(w).conversionMode = bits;
      byMode.desk.foreground = w;
      Wanted wanted = byMode.Run();
      wanted.mode = InputMode::Hiragana;
      return wanted;
    };
    EXPECT_EQ(mode(kA, kHalfAlnum), byOpen.Tick(kA, false));
    EXPECT_EQ(mode(kA, kHiragana), byOpen.Tick(kA, true));
    EXPECT_EQ(mode(kA, kKatakana), byOpen.Tick(kA, true));
    EXPECT_EQ(mode(kA, kHalfAlnum), byOpen.Tick(kA, false));
    EXPECT_EQ(mode(kB, kHiragana), byOpen.Tick(kB, true));
    EXPECT_EQ(mode(kA, kHalfAlnum), byOpen.Tick(kA, false));
    EXPECT_EQ(byMode.List(), byOpen.List());
  }
}

}  // namespace
}  // namespace ruvano
