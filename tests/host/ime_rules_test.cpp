#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fake_desktop.h"
#include "monitor/monitor_tick.h"

namespace ruvano {
namespace {

// A step is a tick: the window in front (A: notepad.exe, B: chrome.exe), its IME before and
// after, and what set it: "A10o": A, on, then off by the OFF list ("n" ON list, "m" memory,
// none: nothing). "A-" destroys A; a later step gives its handle to a new window.
struct Case {
  const char16_t *off, *on, *excluded;
  bool remember;
  const char* steps;
};
constexpr Case kCases[] = {
    {u"x.exe; NOTEPAD.exe", u"notepad.exe", u"", false, "A10o A11 B11 A10o"},  // once, OFF over ON
    {u"notepad.exe", u"notepad.exe", u"notepad.exe", true, "A11 B00 A00"},     // exclusion over all
    {u"", u"", u"", true, "A11 B11 B00 A01m B10m A11 A- B00 A00"},  // memory, of windows that exist
    {u"notepad.exe", u"", u"", true, "A10o A11 B00 A10o"},          // rules over memory
    {u"", u"notepad.exe", u"", true, "A01n A00 B11 A01n"},
};

TEST(ImeRules, OncePerActivationOffOverOnExclusionOverBothMemoryAndRulesOverMemory) {
  for (const Case& c : kCases) {
    fakes::FakeDesktop desk;
    fakes::FakeProgramWindows program;
    Settings settings;
    MonitorTick tick{desk, program, settings};
    desk.Add('B', {.processPath = u"C:\\Chrome\\chrome.exe"});
    settings.SetImeOffApps(c.off);
    settings.SetImeOnApps(c.on);
    settings.SetExcludeApps(c.excluded);
    settings.SetRememberIme(c.remember);
    std::istringstream steps(c.steps);
    for (std::string s; steps >> s;) {
      SCOPED_TRACE(std::string(c.steps) + ": " + s);
      if (s[1] == '-' && desk.windows.erase(s[0])) continue;
      desk.foreground = static_cast<WindowId>(s[0]);
      desk.windows[s[0]].imeOpen = s[1] == '1';
      tick.Run();
      EXPECT_EQ(desk.At(s[0]).imeOpen, s[2] == '1');
      EXPECT_EQ("-onm"[static_cast<int>(tick.LastImeSet())], s.size() > 3 ? s[3] : '-');
    }
  }
}

}  // namespace
}  // namespace ruvano
