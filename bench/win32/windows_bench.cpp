// Whether the indicator and the cursor hint give back what they take: 10 000 show/hide cycles
// of each, driven directly, with the window-system objects and the memory of this process
// counted along the way. The indicator alternates between its two pictures, full and partial
// opacity, hiding and closing; the hint between a short Latin and a longer Japanese text.
// Every cycle lets the windows paint.
//
//   windows_bench.exe [/cycles N]     (default 10000)
//
// Prints its figures to stdout; exit code 0 when nothing grew, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <memory>
#include <string>

#include "app/win32/application_window.h"
#include "bench_util.h"
#include "cues/cursor_hint.h"
#include "cues/win32/hint_window.h"
#include "settings/settings.h"
#include "ui/win32/indicator_window.h"
#include "wine_test_util.h"

namespace {

using namespace ruvano;

// The indicator's surroundings: the settings.
struct BenchHost {
  Settings settings;
};

// Handles every message waiting for this thread, painting included.
void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

struct Counts {
  long gdi = 0, user = 0;
  double privateKiB = 0;
};

Counts Take() {
  Drain();
  const bench::Memory m = bench::MemoryOf(GetCurrentProcess());
  return {bench::GdiObjectsOfThisProcess(), bench::UserObjectsOfThisProcess(), m.privateKiB};
}

// Runs `cycles` cycles, printing the counts five times along the way; true when neither
// object count ended above where it stood after the first cycle.
bool RunCycles(const char* what, int cycles, const std::function<void(int)>& cycle) {
  cycle(0);
  const Counts first = Take();
  std::printf("%s, %d show/hide cycles\n", what, cycles);
  std::printf("  %12s %8s %8s %12s\n", "cycles", "GDI", "USER", "private KiB");
  std::printf("  %12d %8ld %8ld %12.0f\n", 1, first.gdi, first.user, first.privateKiB);
  const double t0 = bench::NowUs();
  Counts last = first;
  for (int i = 1; i < cycles; ++i) {
    cycle(i);
    if ((i + 1) % (cycles / 5 > 0 ? cycles / 5 : 1) == 0) {
      last = Take();
      std::printf("  %12d %8ld %8ld %12.0f\n", i + 1, last.gdi, last.user, last.privateKiB);
    }
  }
  std::printf("  %.0f us per cycle\n\n", (bench::NowUs() - t0) / (cycles > 1 ? cycles - 1 : 1));
  return last.gdi <= first.gdi && last.user <= first.user;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int cycles = 10000;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i)
    if (std::wstring(argv[i]) == L"/cycles") cycles = std::max(1, _wtoi(argv[i + 1]));
  LocalFree(argv);

  std::printf("Indicator and hint windows under %s: GDI objects, USER objects (%s) and private memory\n\n",
              bench::RunningUnderWine() ? "Wine" : "Windows",
              bench::RunningUnderWine() ? "under Wine: this process's windows" : "GetGuiResources");

  const std::unique_ptr<AppWindow> app = AppWindow::Create();
  if (!app) return 1;
  // The pictures come from the program itself.
  HMODULE resources = LoadLibraryExW((testing::BinDir() + L"RUVANO.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);

  BenchHost host;
  host.settings.SetIcon(true);
  bool flat = true;
  {
    const std::unique_ptr<IndicatorWindow> indicator =
        IndicatorWindow::Create(host.settings, nullptr, nullptr, app->hwnd(), resources);
    if (!indicator) return 1;
    flat &= RunCycles("Indicator (IndicatorWindow)", cycles, [&](int i) {
      host.settings.SetAppIcon(i % 2 == 1);
      host.settings.SetAlphaBlendValue(i % 4 < 2 ? 100 : 60);
      indicator->Show(100 + i % 200, 100 + i % 150);
      Drain();
      if (i % 3 == 0)
        indicator->Close();
      else
        indicator->Hide();
      Drain();
    });
  }

  host.settings.SetHint(true);
  {
    HintWindow window(app->hwnd());
    CursorHint hint(window, host.settings);
    flat &= RunCycles("Cursor hint (HintWindow)", cycles, [&](int i) {
      host.settings.SetHintString(i % 2 ? u"IME ON" : u"日本語入力がオンになりました");
      hint.Show();
      Drain();
      hint.Hide();
      Drain();
    });
  }

  if (resources) FreeLibrary(resources);
  std::printf("%s\n", flat ? "No object count grew." : "AN OBJECT COUNT GREW.");
  std::fflush(stdout);
  return flat ? 0 : 1;
}
