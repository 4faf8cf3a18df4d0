// What RUVANO.exe costs while it runs: the size of the exe, its memory after start and after
// 100 000 ticks, and (on Windows) the CPU time it uses while nothing happens; under Wine,
// which does not report another process's CPU time, scripts/bench.sh measures that from
// /proc. The ticks are run by sending the application window its timer message, so the real
// program runs its real tick without waiting 250 ms for each; a fake IME target is in front
// and its IME is switched on and off every 100 ticks. The program runs with every cue on
// (indicator, hint, sounds, LED): its settings file is set so for the run and put back after.
//
//   footprint_bench.exe [/ticks N] [/idle SECONDS]     (defaults 100000 and 60)
//
// Prints its figures to stdout; exit code 0 when it could measure, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "bench_settings.h"
#include "bench_util.h"
#include "monitor/win32/monitor.h"
#include "settings/settings_file.h"
#include "wine_test_util.h"
#include "zeq/data_folder.h"
#include "zeq/win32/data_folder_win32.h"
#include "zeq/win32/handles.h"

namespace {

using namespace ruvano;

double FileKiB(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA a{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a)) return -1;
  return static_cast<double>((static_cast<ULONGLONG>(a.nFileSizeHigh) << 32) | a.nFileSizeLow) / 1024.0;
}

void PrintMemory(const char* when, HANDLE process) {
  const bench::Memory m = bench::MemoryOf(process);
  std::printf("  %-28s private %8.0f KiB   working set %8.0f KiB\n", when, m.privateKiB, m.workingSetKiB);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int ticks = 100000;
  int idleSeconds = 60;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"/ticks") ticks = _wtoi(argv[i + 1]);
    if (a == L"/idle") idleSeconds = _wtoi(argv[i + 1]);
  }
  LocalFree(argv);

  std::printf("RUVANO.exe footprint under Wine\n");
  std::printf("  %-28s %8.0f KiB\n", "RUVANO.exe size", FileKiB(testing::BinDir() + L"RUVANO.exe"));

  testing::FakeImeTarget target;
  if (!target.Start(L"footprint bench", 200, 150, 640, 480, false) || !target.Activate()) {
    std::printf("footprint_bench: the fake IME target did not come to the front\n");
    return 1;
  }
  bench::SettingsFileForTheRun everyCue(
      "[Config]\r\nWaveIndex=3\r\nWaveIndexOFF=5\r\nIcon=1\r\nHint=1\r\nOFF=1\r\nScroll=1\r\n");
  testing::ChildProcess ruvano;
  HWND form = nullptr;
  if (!ruvano.Start(L"RUVANO.exe") || !(form = testing::WaitForSettingsWindow(ruvano.pid()))) {
    std::printf("footprint_bench: RUVANO.exe did not start\n");
    return 1;
  }
  target.Activate();
  testing::PumpFor(2000);
  PrintMemory("after start", ruvano.process());

  // The monitor runs its tick for each timer message the application window is sent.
  const HWND app = GetWindow(form, GW_OWNER);
  const bool underWine = bench::RunningUnderWine();
  const double t0 = bench::NowUs();
  const double cpu0 = bench::CpuMs(ruvano.process());
  for (int i = 1; i <= ticks; ++i) {
    if (i % 100 == 0) target.SetOpen((i / 100) % 2 == 1);
    SendMessageW(app, WM_TIMER, Monitor::kTimerId, 0);
    if (i % 25000 == 0) {
      const std::string when = "after " + std::to_string(i) + " ticks";
      PrintMemory(when.c_str(), ruvano.process());
    }
  }
  const double elapsedUs = bench::NowUs() - t0;
  std::printf("  %d ticks in %.1f s, %.0f us per tick sent\n", ticks, elapsedUs / 1e6, elapsedUs / ticks);
  if (!underWine) {
    std::printf("  RUVANO.exe CPU time per tick   %8.1f us\n",
                (bench::CpuMs(ruvano.process()) - cpu0) * 1000.0 / ticks);
  }

  // Idle: the program's own 250 ms timer runs; the target stays in front with its IME on.
  target.SetOpen(true);
  testing::PumpFor(1000);
  if (underWine) {
    std::printf(
        "  idle CPU time: Wine does not report another process's; scripts/bench.sh reads it from /proc\n");
  } else {
    const double idle0 = bench::CpuMs(ruvano.process());
    testing::PumpFor(static_cast<DWORD>(idleSeconds) * 1000);
    const double idleMs = bench::CpuMs(ruvano.process()) - idle0;
    std::printf("  CPU time over %d s idle       %8.1f ms (%.3f %% of one core)\n", idleSeconds, idleMs,
                idleMs / (idleSeconds * 10.0));
    PrintMemory("after the idle period", ruvano.process());
  }

  PostMessageW(form, WM_CLOSE, 0, 0);
  const long code = ruvano.WaitExit(10000);
  std::printf("  RUVANO.exe ended with code %ld\n", code);
  std::fflush(stdout);
  return code == 0 ? 0 : 1;
}
