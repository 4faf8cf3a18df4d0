// Cost of one monitor tick against the scripted desktop: the tick's own work (pruning the
// handle list, qualification, anchor, list bookkeeping, cue calls) without the system calls
// behind it. The argument is the number of other live windows whose entries sit in the
// handle list besides the window in front.
//
//   build/host/tick_bench [--benchmark_repetitions=5]
#include <benchmark/benchmark.h>

#include "fake_desktop.h"
#include "monitor/monitor_tick.h"
#include "settings/settings.h"

namespace ruvano {
namespace {

using fakes::FakeDesktop;
using fakes::FakeProgramWindows;

constexpr WindowId kApp = 0x00020010;
constexpr WindowId kDesktop = 0x00010010;
constexpr WindowId kA = 0x00010094;
constexpr WindowId kB = 0x000300A2;
constexpr WindowId kFirstOther = 0x00100000;

struct Rig {
  FakeDesktop desk;
  FakeProgramWindows program;
  Settings settings;
  MonitorTick tick{desk, program, settings};

  explicit Rig(int others) {
    desk.logQueries = false;
    program.applicationWindow = kApp;
    program.desktopWnd = kDesktop;
    desk.Add(kApp, {.className = u"TApplication", .visible = false});
    desk.Add(kDesktop, {.className = u"Progman", .rect = {0, 0, 1920, 1080}});
    desk.Add(kA, {.imeOpen = true});
    desk.Add(kB, {.className = u"Chrome_WidgetWin_1", .rect = {-1288, 207, -7, 1000}, .imeOpen = true});
    settings.SetIcon(true);
    settings.SetHint(true);
    settings.SetOff(true);
    settings.SetScroll(true);
    for (int i = 0; i < others; ++i) {
      const WindowId w = kFirstOther + 4 * static_cast<WindowId>(i);
      desk.Add(w);
      tick.ListAtFront(w);
    }
  }
};

// The same window stays in front with its IME on: the state every tick sees most of the day.
void BM_TickSameWindowImeOn(benchmark::State& state) {
  Rig r(static_cast<int>(state.range(0)));
  r.desk.foreground = kA;
  r.tick.Run();
  r.tick.Run();
  for (auto _ : state) r.tick.Run();
  state.counters["list"] = static_cast<double>(r.tick.Handles().Count());
}
BENCHMARK(BM_TickSameWindowImeOn)->Arg(0)->Arg(10)->Arg(1000);

// Every tick finds another window in front, both with their IME on: hide, move the entry
// to the front, show, LED, hint and sound each time.
void BM_TickWindowSwitch(benchmark::State& state) {
  Rig r(static_cast<int>(state.range(0)));
  bool a = true;
  for (auto _ : state) {
    r.desk.foreground = a ? kA : kB;
    a = !a;
    r.tick.Run();
  }
  state.counters["list"] = static_cast<double>(r.tick.Handles().Count());
}
BENCHMARK(BM_TickWindowSwitch)->Arg(0)->Arg(10)->Arg(1000);

// A list of n image names, none of them the programs in front.
Text NamesList(int n) {
  Text list;
  for (int i = 0; i < n; ++i)
    list += u"program" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u".exe; ";
  return list;
}

// With the IME rules on: ImeOffApps and ImeOnApps of n names each that do not hold the
// programs in front, and RememberIme. The same window in front (the rules read nothing more
// between activations), and a switch every tick (both lists searched, the memory pruned and
// looked up, nothing set).
void BM_TickSameWindowRules(benchmark::State& state) {
  Rig r(10);
  r.settings.SetImeOffApps(NamesList(static_cast<int>(state.range(0))));
  r.settings.SetImeOnApps(NamesList(static_cast<int>(state.range(0))));
  r.settings.SetRememberIme(true);
  r.desk.foreground = kA;
  r.tick.Run();
  r.tick.Run();
  for (auto _ : state) r.tick.Run();
}
BENCHMARK(BM_TickSameWindowRules)->Arg(0)->Arg(10)->Arg(100);

void BM_TickWindowSwitchRules(benchmark::State& state) {
  Rig r(10);
  r.settings.SetImeOffApps(NamesList(static_cast<int>(state.range(0))));
  r.settings.SetImeOnApps(NamesList(static_cast<int>(state.range(0))));
  r.settings.SetRememberIme(true);
  bool a = true;
  for (auto _ : state) {
    r.desk.foreground = a ? kA : kB;
    a = !a;
    r.tick.Run();
  }
}
BENCHMARK(BM_TickWindowSwitchRules)->Arg(0)->Arg(10)->Arg(100);

// Every tick a switch to a window of a program on the OFF list whose IME is on: it is set
// off (one more message to the program on Windows, not counted here).
void BM_TickWindowSwitchSetsOff(benchmark::State& state) {
  Rig r(10);
  r.settings.SetImeOffApps(NamesList(static_cast<int>(state.range(0))) + u"notepad.exe; chrome.exe");
  bool a = true;
  for (auto _ : state) {
    const WindowId w = a ? kA : kB;
    r.desk.foreground = w;
    r.desk.At(w).imeOpen = true;
    a = !a;
    r.tick.Run();
  }
}
BENCHMARK(BM_TickWindowSwitchSetsOff)->Arg(0)->Arg(100);

}  // namespace
}  // namespace ruvano
