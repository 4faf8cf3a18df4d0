// Program entry of RUVANO.exe. Start-up prepares the data folder, applies the single-instance
// rule (a second plain start asks the running copy to show its settings window and ends),
// makes the program (its hidden windows, its cues and the monitor) and runs the message loop
// until the settings window closes. The process ends with exit code 0 on every path.
#include <windows.h>

#include <memory>

#include "app/win32/program.h"
#include "app/win32/single_instance.h"
#include "settings/settings_file.h"
#include "zeq/contract_strings.h"
#include "zeq/data_folder.h"
#include "zeq/win32/data_folder_win32.h"
#include "zeq/win32/failure_report.h"
#include "zeq/win32/system_library.h"
#include "zeq/win32/window.h"

namespace ruvano {
namespace {

void Run() {
  // Without its data folder the program cannot keep its settings: it ends, creating nothing.
  Text dataDir;
  if (!PrepareDataFolder(kProgramFolderName, dataDir)) {
    ReportFailure(L"the data folder could not be prepared; the program ends");
    return;
  }
  // The wait switch, the running-copy check, the "/Show" request and the mutex, which the
  // host keeps until the program ends.
  Win32StartupHost startup;
  if (!ShouldThisCopyRun(startup)) return;
  RegisterCommonControlClasses();

  std::unique_ptr<Program> program = Program::Create(SettingsFilePath(dataDir));
  if (!program) return;
  program->Run();
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
