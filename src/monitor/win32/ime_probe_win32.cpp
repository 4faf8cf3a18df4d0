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

enum class Reply { Answered, Gone, Silent };

Reply AskOpenStatus(HWND ime, bool& open) noexcept {
  DWORD_PTR answer = 0;
  ::SetLastError(ERROR_SUCCESS);
  // SMTO_BLOCK: a message that another thread sends to ours while we wait (a "/Show" request,
  // an end-of-session query, a close) waits for the end of the tick instead of running inside
  // it. An application that sends to us while it answers then makes the query time out.
  if (::SendMessageTimeoutW(ime, WM_IME_CONTROL, IMC_GETOPENSTATUS, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kImeQueryTimeoutMs, &answer)) {
    open = answer != 0;
    return Reply::Answered;
  }
  return ::GetLastError() == ERROR_INVALID_WINDOW_HANDLE ? Reply::Gone : Reply::Silent;
}

ImeStatus StatusOf(Reply reply, bool open) noexcept {
  if (reply == Reply::Silent) return ImeStatus::NoAnswer;
  return reply == Reply::Answered && open ? ImeStatus::Open : ImeStatus::Closed;
}

}  // namespace

HWND FindImeWindowFor(HWND w) noexcept {
  if (HWND ime = ::ImmGetDefaultIMEWnd(w)) return ime;
  return WalkThreadForImeWindow(w);
}

ImeStatus ImeProbe::Ask(HWND w) noexcept {
  if (!w) return ImeStatus::Closed;
  HWND ime = ::ImmGetDefaultIMEWnd(w);
  bool remembered = false;
  if (!ime) {
    if (w == rememberedFocus_) {
      ime = rememberedIme_;
      remembered = true;
    } else {
      ime = WalkThreadForImeWindow(w);
      rememberedFocus_ = ime ? w : nullptr;
      rememberedIme_ = ime;
    }
  }
  if (!ime) return ImeStatus::Closed;
  bool open = false;
  Reply reply = AskOpenStatus(ime, open);
  if (reply != Reply::Gone || !remembered) return StatusOf(reply, open);
  // The remembered window is gone (its application made a new one): look again, once.
  rememberedIme_ = WalkThreadForImeWindow(w);
  rememberedFocus_ = rememberedIme_ ? w : nullptr;
  if (!rememberedIme_) return ImeStatus::Closed;
  reply = AskOpenStatus(rememberedIme_, open);
  return StatusOf(reply, open);
}

}  // namespace ruvano
