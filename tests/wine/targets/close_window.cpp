// Asks a program to quit as its own Close command would: posts WM_CLOSE to its top-level
// window of the given class and caption, waiting for that window to exist first. For
// scripts that end a Wine session without losing what the program writes when it closes.
//
//   close_window.exe CLASS CAPTION [TIMEOUT_MS]
//
// Ends with exit code 0 when the message was posted, 1 when no such window appeared in
// time, 2 on bad use. It does not wait for the program to end.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const DWORD timeout = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 5000;
  const DWORD start = GetTickCount();
  int code = 1;
  for (;;) {
    if (HWND w = FindWindowW(argv[1], argv[2]); w && PostMessageW(w, WM_CLOSE, 0, 0)) {
      code = 0;
      break;
    }
    if (GetTickCount() - start >= timeout) break;
    Sleep(20);
  }
  LocalFree(argv);
  return code;
}
