// Sends one malformed WM_COPYDATA to the settings window of a running copy of the program,
// for the Wine tests of how that copy takes it. A run of its own, because a payload whose
// size claims more bytes than its buffer holds may end the sender (Wine ends a process whose
// message data it cannot read) while the system only refuses the message on Windows.
//
//   copydata_sender.exe /pid P /size N /buffer M
//
// The buffer holds M bytes of "/Show" repeated (no NUL); the message claims N bytes. Exit
// code 0 when the message was delivered and answered, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

#include "wine_test_util.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  DWORD pid = 0, size = 0, buffer = 0;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i + 1 < argc; ++i) {
    const std::wstring a = argv[i];
    const DWORD v = static_cast<DWORD>(std::wcstoul(argv[i + 1], nullptr, 10));
    if (a == L"/pid") pid = v;
    if (a == L"/size") size = v;
    if (a == L"/buffer") buffer = v;
  }
  LocalFree(argv);

  const HWND form = ruvano::testing::FindProcessWindow(pid, L"TmainForm", L"RUVANO");
  if (!form) return 1;
  std::vector<char> bytes(buffer);
  const char show[] = {'/', 0, 'S', 0, 'h', 0, 'o', 0, 'w', 0};
  for (DWORD i = 0; i < buffer; ++i) bytes[i] = show[i % sizeof show];
  COPYDATASTRUCT cds{};
  cds.cbData = size;
  cds.lpData = bytes.data();
  DWORD_PTR answer = 0;
  return SendMessageTimeoutW(form, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 5000, &answer)
             ? 0
             : 1;
}
