// Waits until a top-level window of the given class and caption exists, for scripts that
// must not act on a program before its window is there. With /close it then posts WM_CLOSE
// to it, asking the program to quit as its own Close command would, so that a script can end
// a Wine session without losing what the program writes when it closes; it does not wait for
// the program to end.
//
//   wait_window.exe CLASS CAPTION [TIMEOUT_MS] [/close]
//
// Ends with exit code 0 when the window appeared in time (and, with /close, the message was
// posted), 1 when it did not, 2 on bad use.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cwchar>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 3) return 2;
  const bool close = argc > 3 && std::wcscmp(argv[argc - 1], L"/close") == 0;
  const int counted = close ? argc - 1 : argc;
  const DWORD timeout = counted > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 20000;
  const DWORD start = GetTickCount();
  int code = 1;
  for (;;) {
    if (HWND w = FindWindowW(argv[1], argv[2]); w && (!close || PostMessageW(w, WM_CLOSE, 0, 0))) {
      code = 0;
      break;
    }
    if (GetTickCount() - start >= timeout) break;
    Sleep(20);
  }
  LocalFree(argv);
  return code;
}
