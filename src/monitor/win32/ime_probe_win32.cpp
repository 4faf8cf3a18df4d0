#include "monitor/win32/ime_probe_win32.h"

#include <imm.h>

#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#endif

namespace ruvano {

namespace {

BOOL CALLBACK FindImeClassWindow(HWND w, LPARAM lp) {
  wchar_t cls[8] = {};
  if (::GetClassNameW(w, cls, 8) == 3 && ::lstrcmpW(cls, L"IME") == 0) {
    *reinterpret_cast<HWND*>(lp) = w;
    return FALSE;
  }
  return TRUE;
}

// The window of class "IME" among the windows of w's thread, or nullptr.
HWND WalkThreadForImeWindow(HWND w) noexcept {
  const DWORD thread = ::GetWindowThreadProcessId(w, nullptr);
  if (thread == 0) return nullptr;
  HWND ime = nullptr;
  ::EnumThreadWindows(thread, &FindImeClassWindow, reinterpret_cast<LPARAM>(&ime));
  return ime;
}

// The walk over a thread's windows asks the class of each of them and costs several times
// the rest of the probe, while its answer stays the same as long as the user types in one
// control. The window it found for the last focus window is kept; only the GUI thread probes.
struct RememberedImeWindow {
  HWND focus = nullptr;
  HWND ime = nullptr;
};
RememberedImeWindow g_remembered;

bool AskOpenStatus(HWND ime, DWORD_PTR& answer) noexcept {
  ::SetLastError(ERROR_SUCCESS);
  return ::SendMessageTimeoutW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               kImeQueryTimeoutMs, &answer) != 0;
}

}  // namespace

HWND FindImeWindowFor(HWND w) noexcept {
  if (HWND ime = ::ImmGetDefaultIMEWnd(w)) return ime;
  return WalkThreadForImeWindow(w);
}

bool IsImeOpen(HWND w) noexcept {
  HWND ime = ::ImmGetDefaultIMEWnd(w);
  bool remembered = false;
  if (!ime && w) {
    if (w == g_remembered.focus) {
      ime = g_remembered.ime;
      remembered = true;
    } else {
      ime = WalkThreadForImeWindow(w);
      g_remembered = ime ? RememberedImeWindow{w, ime} : RememberedImeWindow{};
    }
  }
  if (!ime) return false;
  DWORD_PTR answer = 0;
  if (AskOpenStatus(ime, answer)) return answer != 0;
  // The remembered window is gone (its application made a new one): look again, once. A
  // thread that does not answer in time is not asked twice.
  if (remembered && ::GetLastError() == ERROR_INVALID_WINDOW_HANDLE) {
    g_remembered = {};
    ime = WalkThreadForImeWindow(w);
    if (!ime) return false;
    g_remembered = {w, ime};
    if (AskOpenStatus(ime, answer)) return answer != 0;
  }
  return false;
}

}  // namespace ruvano
