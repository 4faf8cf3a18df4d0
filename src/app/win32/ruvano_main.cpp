// Program entry of RUVANO.exe: the hidden application window, the hidden settings window
// that runs the monitor, and the message loop. The process ends with exit code 0.
#include <windows.h>

#include "app/win32/application_window.h"
#include "monitor/null_cues.h"
#include "ui/win32/main_form.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ruvano::AppWindow application;
  if (!application.Create()) return 0;

  ruvano::NullMonitorCues cues;
  ruvano::TmainForm mainForm(cues);
  if (!mainForm.Create(application.hwnd())) return 0;

  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return 0;
}
