// Shows the settings window on its own, for looking at it (screenshots) and for trying it by
// hand.
//   settings_window_demo.exe [/sample]
// /sample ticks the icon box with opacity 80, switches OFF on and ticks the hint box.
#include <windows.h>

#include <cwchar>

#include "settings_window_under_test.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  ruvano::Settings settings;
  if (commandLine && std::wcsstr(commandLine, L"/sample")) {
    settings.SetIcon(true);
    settings.SetAlphaBlendValue(80);
    settings.SetOff(true);
    settings.SetHint(true);
  }
  ruvano::testing::SettingsWindowUnderTest window(settings);
  if (!window.Open(40, 40)) return 1;
  window.Show();

  MSG msg;
  while (::IsWindow(window.hwnd()) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
