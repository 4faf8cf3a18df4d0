// What following the text caret costs: the lag from a caret move in the window in front to the
// indicator's move, and (with /hold) a run of RUVANO.exe beside a blinking caret for
// scripts/bench.sh to read the CPU time of from /proc, as Wine does not report another
// process's. A fake IME target is in front with its IME on; its edit control has the focus
// and with it the system caret, which the benchmark moves with EM_SETSEL.
//
//   caret_bench.exe [/moves N]                 the lag over N moves (default 200)
//   caret_bench.exe /hold SECONDS /near 0|1    RUVANO.exe runs that long, NearCaret on or off
//
// Prints its figures to stdout; exit code 0 when it could measure, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_settings.h"
#include "bench_util.h"
#include "wine_test_util.h"

using namespace ruvano;
using ruvano::testing::SystemCaretOf;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int moves = 200, holdSeconds = 0, nearCaret = 1;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"/moves") moves = _wtoi(argv[i + 1]);
    if (a == L"/hold") holdSeconds = _wtoi(argv[i + 1]);
    if (a == L"/near") nearCaret = _wtoi(argv[i + 1]);
  }
  LocalFree(argv);

  testing::FakeImeTarget target;
  if (!target.Start(L"caret bench", 200, 150, 640, 480, true) || !target.Activate()) {
    std::printf("caret_bench: the fake IME target did not come to the front\n");
    return 1;
  }
  const HWND edit = FindWindowExW(target.window(), nullptr, L"EDIT", nullptr);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"にほんごの入力を見張る"));
  bench::SettingsFileForTheRun settings(std::string("[Config]\r\nIcon=1\r\nNearCaret=") +
                                        (nearCaret ? "1" : "0") + "\r\n");
  testing::ChildProcess ruvano;
  HWND form = nullptr;
  const HWND indicator =
      bench::StartRuvanoWithIndicator("caret_bench", ruvano, form, [&] { target.Activate(); });
  if (!indicator) return 1;

  if (holdSeconds > 0) {
    std::printf("caret_bench: RUVANO.exe runs %d s beside a blinking caret, NearCaret=%d\n", holdSeconds,
                nearCaret);
    std::fflush(stdout);
    testing::PumpFor(static_cast<DWORD>(holdSeconds) * 1000);
  } else {
    // Each move goes to the other end of the text; the next comes a varying while after the
    // indicator arrived, so that the moves fall at every phase of the program's timers.
    std::vector<double> lagsMs;
    int missed = 0;
    for (int i = 0; i < moves; ++i) {
      const int at = i % 2 == 0 ? 0 : 11;
      SendMessageW(edit, EM_SETSEL, at, at);
      const double t0 = bench::NowUs();
      const RECT c = SystemCaretOf(target.window());
      // Polled every millisecond: the lag is seen to about that.
      bool arrived = false;
      while (!arrived && bench::NowUs() - t0 < 1e6) {
        RECT r{};
        GetWindowRect(indicator, &r);
        arrived = r.left == c.left && r.top == c.top - 34;
        if (!arrived) Sleep(1);
      }
      if (arrived)
        lagsMs.push_back((bench::NowUs() - t0) / 1000.0);
      else
        ++missed;
      testing::PumpFor(static_cast<DWORD>(20 + (i * 37) % 100));
    }
    const bench::Summary s = bench::Summarize(lagsMs);
    std::vector<double> sorted = lagsMs;
    std::sort(sorted.begin(), sorted.end());
    const double p95 = sorted.empty() ? 0 : sorted[sorted.size() * 95 / 100];
    std::printf("Caret move to indicator move under Wine, %d moves (%d not followed within 1 s)\n", moves,
                missed);
    std::printf("  median %.1f ms, mean %.1f ms, p95 %.1f ms, p99 %.1f ms, max %.1f ms\n", s.median, s.mean,
                p95, s.p99, s.max);
  }

  const long before = ruvano.WaitExit(0);
  PostMessageW(form, WM_CLOSE, 0, 0);
  const long code = ruvano.WaitExit(10000);
  if (before != -1) std::printf("caret_bench: RUVANO.exe ended during the run with code %ld\n", before);
  std::fflush(stdout);
  return code == 0 ? 0 : 1;
}
