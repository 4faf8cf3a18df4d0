// Shows the settings panel in a test host window, for looking at it (screenshots) and for
// trying it by hand.
//   settings_panel_demo.exe [/dpi N] [/sample]
// /dpi N lays the panel out for N DPI as after a move to such a monitor; /sample ticks the
// icon box with opacity 80, switches OFF on and ticks the hint box.
#include <windows.h>

#include <cwchar>
#include <shellapi.h>

#include "settings_panel_test_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int dpi = 0;
  bool sample = false;
  int argc = 0;
  LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    if (std::wcscmp(argv[i], L"/dpi") == 0 && i + 1 < argc) dpi = std::wcstol(argv[++i], nullptr, 10);
    if (std::wcscmp(argv[i], L"/sample") == 0) sample = true;
  }
  if (argv) ::LocalFree(argv);

  ruvano::Settings settings;
  ruvano::testing::PanelTestHost host(settings);
  if (!host.Open(40, 40)) return 1;
  if (sample) {
    settings.SetIcon(true);
    settings.SetAlphaBlendValue(80);
    settings.SetOff(true);
    settings.SetHint(true);
    host.panel.ApplyLoadedState();
  }
  if (dpi > 0) {
    RECT r{};
    ::GetWindowRect(host.hwnd(), &r);
    ::SendMessageW(host.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
  }
  host.Show();

  MSG msg;
  while (::IsWindow(host.hwnd()) && host.closeRequests == 0 && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (host.PreTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
