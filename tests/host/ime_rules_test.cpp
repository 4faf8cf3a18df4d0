#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_desktop.h"
#include "monitor/monitor_tick.h"
#include "settings/settings.h"

namespace ruvano {
namespace {

using fakes::FakeCues;
using fakes::FakeDesktop;
using Q = FakeDesktop::Query;

constexpr WindowId kApp = 0x00020010;
constexpr WindowId kA = 0x00010094;  // notepad.exe
constexpr WindowId kB = 0x000300A2;  // chrome.exe

// The tick over a desktop with two programs' windows; the user switches between them and
// their IMEs.
struct Rig {
  FakeDesktop desk;
  FakeCues cues;
  Settings settings;
  MonitorTick tick{desk, cues, cues, settings};

  Rig() {
    cues.applicationWindow = kApp;
    desk.Add(kApp, {.className = u"TApplication", .visible = false});
    desk.Add(kA);
    desk.Add(kB, {.processPath = u"C:\\Program Files\\Google\\Chrome\\chrome.exe"});
    settings.SetIcon(true);
    settings.SetOff(true);
  }
  // w in front (its IME as it is) for one tick: what the cues were told.
  std::vector<std::string> Front(WindowId w) {
    desk.foreground = w;
    cues.log.clear();
    tick.Run();
    return cues.TakeLog();
  }
  bool Open(WindowId w) { return desk.At(w).imeOpen; }
  int Sets() const { return desk.Count(Q::SetImeOpenStatus); }
};

bool Has(const std::vector<std::string>& log, const char* call) {
  return std::find(log.begin(), log.end(), call) != log.end();
}

// A's IME at its activation and after, by the lists it is on.
TEST(ImeRules, AListedProgramIsSetOnceAtItsActivation) {
  struct Case {
    const char16_t *off, *on, *excluded;
    bool openBefore, openAfter;
    ImeSetBy by;
  };
  const Case cases[] = {
      {u"notepad.exe", u"", u"", true, false, ImeSetBy::OffRule},
      {u" other.exe ; NOTEPAD.EXE", u"", u"", true, false, ImeSetBy::OffRule},
      {u"notepad.exe", u"", u"", false, false, ImeSetBy::Nothing},
      {u"", u"Notepad.exe", u"", false, true, ImeSetBy::OnRule},
      {u"", u"notepad.exe", u"", true, true, ImeSetBy::Nothing},
      {u"notepad.exe", u"notepad.exe", u"", true, false, ImeSetBy::OffRule},  // OFF over ON
      {u"notepad.exe", u"notepad.exe", u"", false, false, ImeSetBy::Nothing},
      {u"notepad.exe", u"", u"notepad.exe", true, true, ImeSetBy::Nothing},  // exclusion over both
      {u"", u"notepad.exe", u"notepad.exe", false, false, ImeSetBy::Nothing},
      {u"chrome.exe", u"", u"", true, true, ImeSetBy::Nothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    Rig r;
    r.settings.SetImeOffApps(c.off);
    r.settings.SetImeOnApps(c.on);
    r.settings.SetExcludeApps(c.excluded);
    r.desk.At(kA).imeOpen = c.openBefore;
    const auto first = r.Front(kA);
    EXPECT_EQ(r.tick.LastImeSet(), c.by);
    EXPECT_EQ(r.Open(kA), c.openAfter);
    EXPECT_EQ(r.Sets(), c.by == ImeSetBy::Nothing ? 0 : 1);
    // The reading that led to a set is not signalled: no ON cue before the switch to off.
    EXPECT_EQ(Has(first, "PlayCue(ON)"), c.by == ImeSetBy::Nothing && c.openBefore && !*c.excluded);
    // The next reading signals the state set.
    const auto second = r.Front(kA);
    EXPECT_EQ(Has(second, "PlayCue(ON)"), c.by == ImeSetBy::OnRule);
    EXPECT_EQ(r.tick.LastImeSet(), ImeSetBy::Nothing);
  }
}

TEST(ImeRules, TheUserMaySwitchAfterwardsUntilTheNextActivation) {
  Rig r;
  r.settings.SetImeOffApps(u"notepad.exe");
  r.desk.At(kA).imeOpen = true;
  r.Front(kA);
  r.desk.At(kA).imeOpen = true;  // the user turns it on again
  EXPECT_TRUE(Has(r.Front(kA), "PlayCue(ON)"));
  r.Front(kA);
  EXPECT_TRUE(r.Open(kA));
  EXPECT_EQ(r.Sets(), 1);
  r.Front(kB);
  r.Front(kA);
  EXPECT_EQ(r.tick.LastImeSet(), ImeSetBy::OffRule);
  EXPECT_FALSE(r.Open(kA));
}

// A window that gave no answer at its activation is decided at its first answer; one that
// is hung or runs with higher rights is never set.
TEST(ImeRules, TheFirstAnsweredReadingDecides) {
  Rig r;
  r.settings.SetImeOffApps(u"notepad.exe");
  r.desk.At(kA) = {.imeOpen = true, .answers = false};
  r.Front(kA);
  r.desk.At(kA).elevated = true;
  r.Front(kA);
  EXPECT_EQ(r.Sets(), 0);
  r.desk.At(kA).answers = true;
  r.desk.At(kA).elevated = false;
  r.Front(kA);
  EXPECT_EQ(r.tick.LastImeSet(), ImeSetBy::OffRule);
  EXPECT_FALSE(r.Open(kA));
}

// One IME state for all windows, as the Microsoft IME keeps it since Windows 8: each window
// gets back its own.
TEST(ImeRules, EachWindowGetsBackTheStateItWasLeftWith) {
  Rig r;
  r.settings.SetRememberIme(true);
  r.desk.At(kA).imeOpen = true;
  r.Front(kA);
  r.desk.At(kB).imeOpen = true;
  r.Front(kB);
  r.desk.At(kB).imeOpen = false;  // the user turns B's off
  r.Front(kB);
  r.desk.At(kA).imeOpen = false;  // and so the shared state of A
  const auto back = r.Front(kA);
  EXPECT_EQ(r.tick.LastImeSet(), ImeSetBy::Memory);
  EXPECT_TRUE(r.Open(kA));
  EXPECT_FALSE(Has(back, "PlayCue(ON)"));
  EXPECT_TRUE(Has(r.Front(kA), "PlayCue(ON)"));
  r.desk.At(kB).imeOpen = true;
  r.Front(kB);
  EXPECT_EQ(r.tick.LastImeSet(), ImeSetBy::Memory);
  EXPECT_FALSE(r.Open(kB));
  r.Front(kA);  // the same state as left: nothing is sent
  EXPECT_EQ(r.Sets(), 2);

  // Off: nothing is remembered, nothing set.
  r.settings.SetRememberIme(false);
  r.Front(kB);
  r.desk.At(kB).imeOpen = true;
  r.Front(kA);
  r.Front(kB);
  EXPECT_EQ(r.Sets(), 2);
}

TEST(ImeRules, AGoneWindowIsForgottenAndItsHandleStartsAfresh) {
  Rig r;
  r.settings.SetRememberIme(true);
  r.desk.At(kA).imeOpen = true;
  r.Front(kA);
  r.desk.Destroy(kA);
  r.Front(kB);
  r.desk.Add(kA);  // the system gives the handle to a new window
  r.Front(kA);
  EXPECT_EQ(r.Sets(), 0);
  EXPECT_FALSE(r.Open(kA));
}

TEST(ImeRules, ARuleWinsOverTheMemory) {
  for (bool onList : {false, true}) {
    SCOPED_TRACE(onList ? "ON list" : "OFF list");
    Rig r;
    r.settings.SetRememberIme(true);
    (onList ? r.settings.SetImeOnApps(u"notepad.exe") : r.settings.SetImeOffApps(u"notepad.exe"));
    r.desk.At(kA).imeOpen = onList;
    r.Front(kA);
    r.desk.At(kA).imeOpen = !onList;  // the user leaves A in the other state
    r.Front(kA);
    r.Front(kB);
    r.Front(kA);
    EXPECT_EQ(r.tick.LastImeSet(), onList ? ImeSetBy::OnRule : ImeSetBy::OffRule);
    EXPECT_EQ(r.Open(kA), onList);
    // Already as the rule wants: the memory does not turn it back.
    r.Front(kB);
    r.Front(kA);
    EXPECT_EQ(r.tick.LastImeSet(), ImeSetBy::Nothing);
    EXPECT_EQ(r.Open(kA), onList);
  }
}

// With the lists empty and no memory nothing beyond the usual reading is asked.
TEST(ImeRules, EmptyListsAskForNoImageName) {
  Rig r;
  r.desk.At(kA).imeOpen = true;
  r.Front(kA);
  r.Front(kB);
  EXPECT_EQ(r.desk.Count(Q::GetWindowProcessPath), 0);
  EXPECT_EQ(r.Sets(), 0);
}

}  // namespace
}  // namespace ruvano
