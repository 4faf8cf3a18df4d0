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

}  // namespace

HWND FindImeWindowFor(HWND w) noexcept {
  if (HWND ime = ::ImmGetDefaultIMEWnd(w)) return ime;
  const DWORD thread = ::GetWindowThreadProcessId(w, nullptr);
  if (thread == 0) return nullptr;
  HWND ime = nullptr;
  ::EnumThreadWindows(thread, &FindImeClassWindow, reinterpret_cast<LPARAM>(&ime));
  return ime;
}

bool IsImeOpen(HWND w) noexcept {
  HWND ime = FindImeWindowFor(w);
  if (!ime) return false;
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                             kImeQueryTimeoutMs, &answer))
    return false;
  return answer != 0;
}

}  // namespace ruvano
