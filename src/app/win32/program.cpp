#include "app/win32/program.h"

#include <utility>

#include "zeq/win32/failure_report.h"

namespace ruvano {

std::unique_ptr<Program> Program::Create(Text settingsFile) {
  std::unique_ptr<Program> program(new Program());
  program->application_ = AppWindow::Create();
  if (!program->application_) {
    ReportFailure(L"the application window could not be created", ::GetLastError());
    return nullptr;
  }
  const HWND owner = program->application_->hwnd();
  program->cues_ = ProgramCues::Create(program->settings_, program->indicatorHost_, owner);
  if (!program->cues_) {
    ReportFailure(L"the indicator window could not be created", ::GetLastError());
    return nullptr;
  }
  program->settingsWindow_ =
      SettingsWindow::Create(program->settings_, *program->cues_, std::move(settingsFile), owner);
  if (!program->settingsWindow_) {
    ReportFailure(L"the settings window could not be created", ::GetLastError());
    return nullptr;
  }
  program->application_->SetSessionEndHandler(
      [settingsWindow = program->settingsWindow_.get()] { settingsWindow->EndProgram(); });
  return program;
}

Program::~Program() {
  // The settings window's system window goes first, with none of its handlers running, so
  // that no message (a "/Show" request sent while the indicator goes, say) reaches cues that
  // are being torn down.
  if (settingsWindow_) settingsWindow_->DestroyDetached();
}

// Runs the message loop until the main window ends it. An exception from anything the loop
// calls is dropped and the loop goes on with the next message. GetMessageW answers -1 when it
// cannot hand over a message: under Wine, one sent by another process with more data than
// this thread's stack holds. That message is lost and the loop goes on; only a long run of
// failures with nothing in between ends it, and the program then ends as after a close.
void Program::Run() {
  for (int failures = 0; failures < 1000;) {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      if (failures == 0) ReportFailure(L"a message could not be received", ::GetLastError());
      if (++failures == 1000) ReportFailure(L"no message could be received for a long run; the program ends");
      continue;
    }
    failures = 0;
    try {
      if (settingsWindow_->PreTranslateMessage(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    } catch (...) {
      ReportFailure(L"a message failed and was dropped");
    }
  }
  // The loop also ends without the window's close (a WM_QUIT from elsewhere, a run of
  // failures): the close query runs all the same, once.
  settingsWindow_->EndProgram();
}

}  // namespace ruvano
