// What one monitor tick costs against real windows, next to the system calls that a tick
// cannot do without. A fake IME target (with its IME open) is in front; the tick runs over
// the Win32 desktop with cues that do nothing, in the steady state (same window, IME on),
// with 0, 10 and 1000 other live windows in the handle list, and once more with 10 and the
// input mode options on (the IME is also asked for its conversion mode), and once with 10 and
// the full-screen check (the shell's notification state and the window's style, as every tick
// with the option on asks them of an ordinary window), and once with 10 and the IME rules
// (ImeOffApps and ImeOnApps of 20 names each, none the target's, and RememberIme). The bare sequence makes the
// same system calls one after another. Both are timed per run with QueryPerformanceCounter,
// interleaved in blocks (first one, then the other) so that drift on a shared machine hits both alike.
//
//   tick_bench.exe [/runs N]      N runs of each per list size (default 4000; a tenth of
//                                 that with 1000 listed windows, whose runs take 100 times longer)
//
// Prints its figures to stdout; exit code 0 when it could measure, 1 otherwise.
#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/application_window.h"
#include "bench_util.h"
#include "monitor/handle_list.h"
#include "monitor/monitor_tick.h"
#include "monitor/win32/desktop_win32.h"
#include "monitor/win32/full_screen_win32.h"
#include "monitor/win32/ime_probe_win32.h"
#include "settings/settings.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/system_library.h"

namespace {

using namespace ruvano;
using bench::NowUs;

class BenchProgram : public IProgramWindows {
 public:
  HWND app = nullptr;
  DesktopWindowFinder desktopWindow;
  bool SettingsWindowOnScreen() override { return false; }
  WindowId ApplicationWindow() override { return FromHwnd(app); }
  WindowId DesktopWnd() override { return desktopWindow.Current(); }
  WindowId RefindDesktopWnd() override { return desktopWindow.Find(); }
};

volatile LONG_PTR g_sinkValue;
struct Sink {
  void operator+=(LONG_PTR v) { g_sinkValue = g_sinkValue + v; }
} g_sink;

// The system calls of one steady-state tick, without the tick: the foreground window and
// its class, enabled, visible and minimised state, owner chain, rectangle and visible frame,
// the border metric at the scale of the window's monitor, the focus, the IME query (the IME window itself was found beforehand) and one
// IsWindow per listed handle; with `mode`, the conversion mode query as well.
void BareTick(const std::vector<HWND>& listed, HWND imeWindow, bool mode) {
  for (HWND h : listed) g_sink += IsWindow(h);
  HWND w = GetForegroundWindow();
  wchar_t cls[260] = {};
  GetClassNameW(w, cls, 260);
  g_sink += IsWindowEnabled(w) + IsWindowVisible(w) + IsIconic(w);
  for (HWND p = w; (p = GetParent(p)) != nullptr;) g_sink += 1;
  RECT r;
  GetWindowRect(w, &r);
  static ruvano::LazyProc<HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD)> dwmGet(L"dwmapi.dll",
                                                                              "DwmGetWindowAttribute");
  if (dwmGet) dwmGet.get()(w, 9 /* DWMWA_EXTENDED_FRAME_BOUNDS */, &r, sizeof(r));
  NONCLIENTMETRICSW m{};
  ruvano::NonClientMetricsForDpi(m, ruvano::MonitorDpi(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST)));
  GUITHREADINFO gi{};
  gi.cbSize = sizeof(gi);
  GetGUIThreadInfo(0, &gi);
  g_sink += reinterpret_cast<LONG_PTR>(ImmGetDefaultIMEWnd(gi.hwndFocus));
  DWORD_PTR open = 0;
  SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                      kImeQueryTimeoutMs, &open);
  g_sink += static_cast<LONG_PTR>(open) + r.left + m.iBorderWidth;
  if (mode) {
    DWORD_PTR bits = 0;
    SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, IMC_GETCONVERSIONMODE, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                        kImeQueryTimeoutMs, &bits);
    g_sink += static_cast<LONG_PTR>(bits);
  }
}

std::vector<HWND> ExtraWindowsOf(DWORD pid) {
  std::vector<HWND> found;
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, L"RuvanoFakeExtra", nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) found.push_back(w);
  }
  return found;
}

// Mean time of one call of f, over n calls.
template <typename F>
double MeanUs(int n, F f) {
  const double t0 = NowUs();
  for (int i = 0; i < n; ++i) f();
  return (NowUs() - t0) / n;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int runs = 4000;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wstring(argv[i]) == L"/runs") runs = std::max(100, _wtoi(argv[i + 1]));
  LocalFree(argv);

  constexpr int kMostListed = 1000;
  const std::unique_ptr<AppWindow> app = AppWindow::Create();
  if (!app) return 1;
  BenchProgram program;
  program.app = app->hwnd();
  program.desktopWindow.Find();
  testing::FakeImeTarget target;
  target.extraWindows = kMostListed;
  if (!target.Start(L"tick bench", 200, 150, 640, 480, true) || !target.Activate()) {
    std::printf("tick_bench: the fake IME target did not come to the front\n");
    return 1;
  }
  std::vector<HWND> extra;
  testing::WaitUntil([&] { return (extra = ExtraWindowsOf(target.pid())).size() >= kMostListed; }, 20000);
  if (extra.size() < kMostListed) {
    std::printf("tick_bench: the target made %zu of %d extra windows\n", extra.size(), kMostListed);
    return 1;
  }

  Settings settings;
  settings.SetIcon(true);
  settings.SetHint(true);
  settings.SetScroll(true);
  Win32Desktop desktop;
  MonitorTick plainTick(desktop, program, settings);
  Win32FullScreenProbe fullScreen;
  MonitorTick quietTick(desktop, program, settings, &fullScreen);
  const HWND imeWindow = FindImeWindowFor(ruvano::GetFocusedWindow());

  std::printf(
      "Monitor tick under Wine: real tick (MonitorTick over Win32Desktop, do-nothing cues) against\n"
      "the bare system calls it cannot avoid; fake IME target in front with its IME on.\n"
      "%d runs of each per row (%d with 1000 listed), in blocks of 200; times in microseconds;\n"
      "m: with the input mode options on, so the IME is also asked for its conversion mode;\n"
      "q: with the full-screen check (the bare calls stay those of the other rows);\n"
      "r: with the IME rules: two lists of 20 names without the target's, and RememberIme.\n\n",
      runs, std::max(100, runs / 10));
  std::printf("%7s | %8s %8s %8s %8s | %8s %8s %8s %8s | %6s %6s\n", "listed", "tick med", "mean", "p99",
              "max", "bare med", "mean", "p99", "max", "r.med", "r.mean");

  bool steady = true;
  const struct {
    int listed;
    bool mode;
    bool quiet;
    bool rules;
  } rows[] = {{0, false, false, false}, {10, false, false, false}, {kMostListed, false, false, false},
              {10, true, false, false}, {10, false, true, false},  {10, false, false, true}};
  Text names;
  for (int i = 0; i < 20; ++i) names += u"program" + Text(1, static_cast<char16_t>(u'a' + i)) + u".exe;";
  for (const auto [listed, mode, quiet, rules] : rows) {
    MonitorTick& tick = quiet ? quietTick : plainTick;
    settings.SetShowMode(mode);
    settings.SetAlnumOff(mode);
    settings.SetImeOffApps(rules ? names : Text());
    settings.SetImeOnApps(rules ? names : Text());
    settings.SetRememberIme(rules);
    tick.ClearList();
    std::vector<HWND> handles(extra.begin(), extra.begin() + listed);
    for (HWND h : handles) tick.ListAtFront(FromHwnd(h));
    // The target's own entry joins the list at the first tick; the bare sequence checks it too.
    handles.push_back(target.window());
    for (int i = 0; i < 50; ++i) tick.Run();
    steady = steady && tick.ActiveWindow() == FromHwnd(target.window()) &&
             tick.Handles().Count() == static_cast<std::size_t>(listed) + 1;

    const int rowRuns = listed >= kMostListed ? std::max(100, runs / 10) : runs;
    std::vector<double> tickUs, bareUs;
    tickUs.reserve(rowRuns);
    bareUs.reserve(rowRuns);
    for (int done = 0; done < rowRuns; done += 200) {
      const int block = std::min(200, rowRuns - done);
      auto runTicks = [&] {
        for (int i = 0; i < block; ++i) {
          const double t0 = NowUs();
          tick.Run();
          tickUs.push_back(NowUs() - t0);
        }
      };
      auto runBare = [&] {
        for (int i = 0; i < block; ++i) {
          const double t0 = NowUs();
          BareTick(handles, imeWindow, mode);
          bareUs.push_back(NowUs() - t0);
        }
      };
      // Which goes first alternates from block to block.
      if ((done / 200) % 2 == 0) {
        runTicks();
        runBare();
      } else {
        runBare();
        runTicks();
      }
    }
    const bench::Summary t = bench::Summarize(tickUs), b = bench::Summarize(bareUs);
    std::printf("%6d%s | %8.1f %8.1f %8.1f %8.1f | %8.1f %8.1f %8.1f %8.1f | %6.2f %6.2f\n", listed,
                mode    ? "m"
                : quiet ? "q"
                : rules ? "r"
                        : " ",
                t.median, t.mean, t.p99, t.max, b.median, b.mean, b.p99, b.max, t.median / b.median,
                t.mean / b.mean);
  }
  if (!steady) std::printf("warning: the tick did not hold the steady state (target in front, IME on)\n");

  // Where the time of the bare sequence goes, one call at a time (mean of 2000 calls).
  const HWND w = target.window();
  const HWND focus = ruvano::GetFocusedWindow();
  std::printf("\nSingle calls against the target (mean microseconds):\n");
  auto row = [](const char* name, double us) { std::printf("  %-40s %8.2f\n", name, us); };
  constexpr int n = 2000;
  row("GetForegroundWindow", MeanUs(n, [] { g_sink += reinterpret_cast<LONG_PTR>(GetForegroundWindow()); }));
  row("GetClassNameW", MeanUs(n, [&] {
        wchar_t c[260];
        g_sink += GetClassNameW(w, c, 260);
      }));
  row("IsWindowEnabled", MeanUs(n, [&] { g_sink += IsWindowEnabled(w); }));
  row("IsWindowVisible", MeanUs(n, [&] { g_sink += IsWindowVisible(w); }));
  row("IsIconic", MeanUs(n, [&] { g_sink += IsIconic(w); }));
  row("GetParent", MeanUs(n, [&] { g_sink += reinterpret_cast<LONG_PTR>(GetParent(w)); }));
  row("GetWindowRect", MeanUs(n, [&] {
        RECT r;
        g_sink += GetWindowRect(w, &r);
      }));
  using DwmGet = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);
  ruvano::LazyProc<DwmGet> dwmGet(L"dwmapi.dll", "DwmGetWindowAttribute");
  row("DwmGetWindowAttribute(FRAME_BOUNDS)", MeanUs(n, [&] {
        RECT r;
        g_sink += dwmGet ? dwmGet.get()(w, 9 /* DWMWA_EXTENDED_FRAME_BOUNDS */, &r, sizeof(r)) : 0;
      }));
  row("SystemParametersInfoW(NONCLIENTMETRICS)", MeanUs(n, [] {
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof(m);
        g_sink += SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0);
      }));
  row("border at the monitor's DPI (whole probe)", MeanUs(n, [&] {
        RECT r;
        GetWindowRect(w, &r);
        g_sink += desktop.NonClientBorderWidth(ruvano::Rect{r.left, r.top, r.right, r.bottom});
      }));
  row("GetVersionExW", MeanUs(n, [] { g_sink += ruvano::IsWin11(); }));
  row("GetGUIThreadInfo",
      MeanUs(n, [] { g_sink += reinterpret_cast<LONG_PTR>(ruvano::GetFocusedWindow()); }));
  row("ImmGetDefaultIMEWnd",
      MeanUs(n, [&] { g_sink += reinterpret_cast<LONG_PTR>(ImmGetDefaultIMEWnd(focus)); }));
  row("FindImeWindowFor (with thread walk)",
      MeanUs(n, [&] { g_sink += reinterpret_cast<LONG_PTR>(FindImeWindowFor(focus)); }));
  row("SendMessageTimeoutW(IMC_GETOPENSTATUS)", MeanUs(n, [&] {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(imeWindow, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            100, &r);
        g_sink += static_cast<LONG_PTR>(r);
      }));
  ImeProbe probe;
  row("ImeProbe::Ask (whole probe)", MeanUs(n, [&] { g_sink += static_cast<int>(probe.Ask(focus)); }));
  // What a rule or the memory sends once at an activation; the IME stays on.
  row("ImeProbe::SetOpen (whole probe)", MeanUs(n, [&] { g_sink += probe.SetOpen(focus, true); }));
  row("IsWindow (window of another process)", MeanUs(n, [&] { g_sink += IsWindow(extra[0]); }));
  // The Windows 11 shell check reads the image path of the process in front: as it does now,
  // and as it did with the module path (full query rights and GetModuleFileNameExW).
  ProcessPathReader paths;
  row("GetWindowProcessPath",
      MeanUs(n, [&] { g_sink += static_cast<LONG_PTR>(paths.WindowProcessPath(w).size()); }));
  row("OpenProcess(0x410) + module path", MeanUs(n, [&] {
        UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, target.pid()));
        g_sink += static_cast<LONG_PTR>(paths.ModulePath(process.get()).size());
      }));
  row("SHQueryUserNotificationState", MeanUs(n, [&] {
        QUERY_USER_NOTIFICATION_STATE state{};
        g_sink += SHQueryUserNotificationState(&state) + state;
      }));
  row("full-screen check, captioned window",
      MeanUs(n, [&] { g_sink += ruvano::FullScreenInFront(fullScreen, FromHwnd(w), false); }));
  std::fflush(stdout);
  return 0;
}
