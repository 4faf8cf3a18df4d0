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

// The last answer, and the IME window that gave it.
struct LastAnswer {
  HWND ime = nullptr;
  bool open = false;
};
LastAnswer g_lastAnswer;

enum class Reply { Answered, Gone, Silent };

Reply AskOpenStatus(HWND ime, bool& open) noexcept {
  DWORD_PTR answer = 0;
  ::SetLastError(ERROR_SUCCESS);
  if (::SendMessageTimeoutW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                            kImeQueryTimeoutMs, &answer)) {
    open = answer != 0;
    g_lastAnswer = {ime, open};
    return Reply::Answered;
  }
  if (::GetLastError() == ERROR_INVALID_WINDOW_HANDLE) return Reply::Gone;
  // Busy or hung: its input method cannot have changed while it does not take messages, so
  // the window that answered last keeps that answer. Anything else counts as closed.
  open = g_lastAnswer.ime == ime && g_lastAnswer.open;
  return Reply::Silent;
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
  bool open = false;
  if (AskOpenStatus(ime, open) != Reply::Gone) return open;
  // The remembered window is gone (its application made a new one): look again, once.
  if (!remembered) return false;
  g_remembered = {};
  ime = WalkThreadForImeWindow(w);
  if (!ime) return false;
  g_remembered = {w, ime};
  return AskOpenStatus(ime, open) != Reply::Gone && open;
}

}  // namespace ruvano
