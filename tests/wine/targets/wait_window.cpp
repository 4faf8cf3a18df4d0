// Waits until a top-level window of the given class and caption exists, for scripts that
// must not act on a program before its window is there.
//
//   wait_window.exe CLASS CAPTION [TIMEOUT_MS]
//
// Ends with exit code 0 when the window appeared in time, 1 when it did not, 2 on bad use.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const DWORD timeout = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 20000;
  const DWORD start = GetTickCount();
  int code = 1;
  for (;;) {
    if (FindWindowW(argv[1], argv[2])) {
      code = 0;
      break;
    }
    if (GetTickCount() - start >= timeout) break;
    Sleep(20);
  }
  LocalFree(argv);
  return code;
}
