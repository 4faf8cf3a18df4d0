// How soon the cues follow a switch: from the target's own state change to the indicator
// appearing or going, polled every millisecond. Two fake IME targets stand beside RUVANO.exe:
// A with its IME on, B with its IME off.
//   IME switch:    B in front; a key press (as the IME key gives), then B switches its IME
//                  on, or off, itself.
//   window switch: B and A come to the front in turn, from inside their own processes; the
//                  time runs from the moment the system has the new window in front.
// With /slowcaret, NearCaret is on and A gives a caret object of its own that takes 4 s to
// give its place (a busy browser): the window switches show whether it holds up the cues.
// With /hold SECONDS (and /type 1: a key every 150 ms) RUVANO.exe runs that long beside A in
// front, for scripts/bench.sh to read its CPU time from /proc; the questions A's IME and
// caret object were asked are printed per second.
//
//   latency_bench.exe [/switches N] [/slowcaret]
//   latency_bench.exe /hold SECONDS [/type 1]
//
// Prints its figures to stdout; exit code 0 when it could measure, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "bench_settings.h"
#include "bench_util.h"
#include "wine_test_util.h"

using namespace ruvano;

namespace {

// A key that types nothing, pressed and released as the user's own input.
void PressShift() {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = VK_SHIFT;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
}

// Milliseconds until done() holds, polled every millisecond; negative after 2 s.
double MsUntil(const std::function<bool()>& done) {
  const double t0 = bench::NowUs();
  while (!done()) {
    if (bench::NowUs() - t0 > 2e6) return -1;
    Sleep(1);
  }
  return (bench::NowUs() - t0) / 1000.0;
}

void Print(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  const bench::Summary s = bench::Summarize(ms);
  const double p95 = ms.empty() ? 0 : ms[ms.size() * 95 / 100];
  std::printf("  %-34s n=%2zu median %6.1f ms, p95 %6.1f ms, max %6.1f ms\n", what, ms.size(), s.median, p95,
              s.max);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int switches = 30, holdSeconds = 0, type = 0;
  bool slowCaret = false;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    const std::wstring a = argv[i];
    const int next = i + 1 < argc ? _wtoi(argv[i + 1]) : 0;
    if (a == L"/switches") switches = next;
    if (a == L"/hold") holdSeconds = next;
    if (a == L"/type") type = next;
    if (a == L"/slowcaret") slowCaret = true;
  }
  LocalFree(argv);

  testing::FakeImeTarget a, b;
  if (!b.Start(L"latency B", 700, 150, 500, 400, false) || !a.Start(L"latency A", 150, 120, 500, 400, true) ||
      !a.Activate()) {
    std::printf("latency_bench: the fake IME targets did not come to the front\n");
    return 1;
  }
  if (slowCaret) {
    a.GiveOwnCaret(300, 300);
    a.SlowCaret(4000);
  }
  bench::SettingsFileForTheRun settings(std::string("[Config]\r\nIcon=1\r\nNearCaret=") +
                                        (slowCaret ? "1" : "0") + "\r\n");
  testing::ChildProcess ruvano;
  HWND form = nullptr;
  const HWND indicator =
      bench::StartRuvanoWithIndicator("latency_bench", ruvano, form, [&] { a.Activate(); });
  if (!indicator) return 1;
  auto shown = [&] { return IsWindowVisible(indicator) != FALSE; };
  auto gone = [&] { return !IsWindowVisible(indicator); };

  if (holdSeconds > 0) {
    std::printf("latency_bench: RUVANO.exe runs %d s beside A in front (IME on)%s\n", holdSeconds,
                type ? ", a key every 150 ms" : "");
    std::fflush(stdout);
    const long open0 = a.OpenQuestions(), caret0 = a.CaretQuestions();
    const double t0 = bench::NowUs();
    while (bench::NowUs() - t0 < holdSeconds * 1e6) {
      if (type) PressShift();
      testing::PumpFor(150);
    }
    const double s = (bench::NowUs() - t0) / 1e6;
    std::printf("  questions to A per second: IME open status %.1f, caret object %.1f\n",
                (a.OpenQuestions() - open0) / s, (a.CaretQuestions() - caret0) / s);
  } else {
    std::vector<double> imeOn, imeOff, toOn, toOff;
    int missed = 0;
    auto take = [&](std::vector<double>& into, double ms) { ms < 0 ? ++missed : (into.push_back(ms), 0); };
    // Each switch comes a varying while after the one before, more than the second that the
    // looks stay close after input, so that each starts from the quiet watch.
    auto pause = [](int i) { testing::PumpFor(static_cast<DWORD>(1100 + (i * 37) % 300)); };
    if (!slowCaret) {
      b.Activate();
      testing::WaitUntil(gone, 2000);
      for (int i = 0; i < switches; ++i) {
        pause(i);
        PressShift();
        b.SetOpen(true);
        take(imeOn, MsUntil(shown));
        pause(i + 1);
        PressShift();
        b.SetOpen(false);
        take(imeOff, MsUntil(gone));
      }
    }
    for (int i = 0; i < switches; ++i) {
      pause(i);
      PostMessageW(b.window(), testing::FakeImeTarget::kActivate, 0, 0);
      if (MsUntil([&] { return GetForegroundWindow() == b.window(); }) < 0) continue;
      take(toOff, MsUntil(gone));
      pause(i + 1);
      PostMessageW(a.window(), testing::FakeImeTarget::kActivate, 0, 0);
      if (MsUntil([&] { return GetForegroundWindow() == a.window(); }) < 0) continue;
      take(toOn, MsUntil(shown));
    }
    std::printf("Switch to indicator under Wine%s (from the target's own change, polled every ms)\n",
                slowCaret ? ", NearCaret on, A's caret object takes 4 s" : "");
    if (!slowCaret) {
      Print("IME switch ON (after a key press)", imeOn);
      Print("IME switch OFF (after a key press)", imeOff);
    }
    Print("window switch to IME on", toOn);
    Print("window switch to IME off", toOff);
    if (missed) std::printf("  %d switches not signalled within 2 s\n", missed);
  }

  const long before = ruvano.WaitExit(0);
  PostMessageW(form, WM_CLOSE, 0, 0);
  const long code = ruvano.WaitExit(10000);
  if (before != -1) std::printf("latency_bench: RUVANO.exe ended during the run with code %ld\n", before);
  std::fflush(stdout);
  return code == 0 ? 0 : 1;
}
