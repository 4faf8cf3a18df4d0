// Opens the diagnostic window of the running copy of the program, as its settings window's
// button does, and gives the front back to the window that had it, for the idle figure with
// the window open. Exit code 0 when the window showed, 1 otherwise.
#include <windows.h>
#include <commctrl.h>

#include "ui/win32/diagnosis_window.h"
#include "ui/win32/settings_ids.h"
#include "wine_test_util.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const HWND front = GetForegroundWindow();
  const HWND form = FindWindowW(ruvano::kSettingsWindowClass, ruvano::kProgramCaption);
  if (!form) return 1;
  SendMessageW(form, WM_COMMAND, MAKEWPARAM(IDC_DIAGNOSE, BN_CLICKED),
               reinterpret_cast<LPARAM>(FindWindowExW(form, nullptr, TOOLBARCLASSNAMEW, nullptr)));
  const HWND diagnosis = FindWindowW(ruvano::DiagnosisWindow::kClassName, ruvano::kDiagnosisCaption);
  if (!diagnosis || !IsWindowVisible(diagnosis)) return 1;
  if (front) SetForegroundWindow(front);
  return 0;
}
