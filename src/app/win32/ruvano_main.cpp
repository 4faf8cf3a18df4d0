// Program entry of RUVANO.exe. Start-up prepares the data folder, applies the single-instance
// rule (a second plain start asks the running copy to show its settings window and ends),
// creates the hidden application window, the hidden settings window that runs the monitor
// and the hidden indicator, and runs the message loop until the settings window closes. The
// process ends with exit code 0 on every path.
#include <windows.h>
#include <commctrl.h>

#include "app/win32/application_window.h"
#include "app/win32/single_instance.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "ui/win32/settings_window.h"
#include "ui/win32/program_cues.h"
#include "zeq/data_folder.h"
#include "zeq/win32/data_folder_win32.h"
#include "zeq/win32/failure_report.h"
#include "zeq/win32/system_library.h"

namespace ruvano {
namespace {

inline constexpr char16_t kProgramName[] = u"RUVANO";

void InitCommonControls() {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&icc);
}

// Runs the message loop until the main window ends it. An exception from anything the loop
// calls is dropped and the loop goes on with the next message. GetMessageW answers -1 when it
// cannot hand over a message: under Wine, one sent by another process with more data than
// this thread's stack holds. That message is lost and the loop goes on; only a long run of
// failures with nothing in between ends it, and the program then ends as after a close.
void RunMessageLoop(SettingsWindow& settingsWindow) {
  for (int failures = 0; failures < 1000;) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return;
    if (got == -1) {
      if (failures == 0) ReportFailure(L"a message could not be received", ::GetLastError());
      ++failures;
      continue;
    }
    failures = 0;
    try {
      if (settingsWindow.PreTranslateMessage(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    } catch (...) {
      ReportFailure(L"a message failed and was dropped");
    }
  }
  ReportFailure(L"no message could be received for a long run; the program ends");
}

void Run() {
  // Without its data folder the program cannot keep its settings: it ends, creating nothing.
  DataDirs dataDirs;
  if (!PrepareDataFolder(kProgramName, false, dataDirs)) {
    ReportFailure(L"the data folder could not be prepared; the program ends");
    return;
  }
  // The wait switch, the running-copy check, the "/Show" request and the mutex, which the
  // host keeps until the program ends.
  Win32StartupHost startup;
  if (!ShouldThisCopyRun(startup)) return;
  InitCommonControls();

  AppWindow application;
  if (!application.Create()) {
    ReportFailure(L"the application window could not be created", ::GetLastError());
    return;
  }

  Settings settings;
  ProgramCues cues(settings);
  SettingsWindow settingsWindow(settings, cues, SettingsFilePath(dataDirs.user));
  if (!settingsWindow.Create(application.hwnd())) {
    ReportFailure(L"the settings window could not be created", ::GetLastError());
    return;
  }
  cues.CreateIndicator(settingsWindow, application.hwnd());
  application.SetSessionEndHandler([&settingsWindow] { settingsWindow.EndProgram(); });

  RunMessageLoop(settingsWindow);
  // The loop also ends without the window's close (a WM_QUIT from elsewhere, a run of
  // failures): the close query runs all the same, once.
  settingsWindow.EndProgram();
  // The windows go first, then the mutex is released and its handle closed.
}

}  // namespace
}  // namespace ruvano

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ruvano::LoadLibrariesFromSystemFolderOnly();
  try {
    ruvano::Run();
  } catch (...) {
    ruvano::ReportFailure(L"the program stopped on a failure");
  }
  return 0;
}
