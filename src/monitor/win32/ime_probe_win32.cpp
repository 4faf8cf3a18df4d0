#include "monitor/win32/ime_probe_win32.h"

#include <imm.h>

#include "zeq/win32/failure_report.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

namespace {

BOOL CALLBACK FindImeClassWindow(HWND w, LPARAM lp) {
  if (WindowClassName(w).view() == L"IME") {
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

}  // namespace

HWND FindImeWindowFor(HWND w) noexcept {
  if (HWND ime = ::ImmGetDefaultIMEWnd(w)) return ime;
  return WalkThreadForImeWindow(w);
}

// One request to an IME window. SMTO_BLOCK: a message that another thread sends to ours while
// we wait (a "/Show" request, an end-of-session query, a close) waits for the end of the tick
// instead of running inside it. An application that sends to us while it answers then makes
// the query time out. A message that UIPI blocks (the window belongs to a process of higher
// integrity) fails with ERROR_ACCESS_DENIED
// (learn.microsoft.com/windows/win32/api/winuser/nf-winuser-sendmessagetimeoutw).
ImeProbe::Reply ImeProbe::Send(HWND ime, WPARAM request, DWORD_PTR& answer, LPARAM value) noexcept {
  ::SetLastError(ERROR_SUCCESS);
  if (::SendMessageTimeoutW(ime, WM_IME_CONTROL, request, value, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kImeQueryTimeoutMs, &answer))
    return Reply::Answered;
  switch (::GetLastError()) {
    case ERROR_INVALID_WINDOW_HANDLE: return Reply::Gone;
    case ERROR_ACCESS_DENIED: return Reply::Refused;
    default: return Reply::Silent;
  }
}

ImeStatus ImeProbe::Ask(HWND w) noexcept {
  DWORD_PTR answer = 0;
  const Reply reply = Query(w, IMC_GETOPENSTATUS, answer);
  if (reply != Reply::Silent) silentWindow_ = nullptr;
  switch (reply) {
    case Reply::Answered: return answer != 0 ? ImeStatus::Open : ImeStatus::Closed;
    case Reply::Gone: return ImeStatus::Closed;
    case Reply::Refused:
      if (w != refusingWindow_) {
        refusingWindow_ = w;
        ReportFailure(L"the foreground window belongs to a program with higher rights; its IME reads as off");
      }
      return ImeStatus::Refused;
    case Reply::Silent: break;
  }
  if (w != silentWindow_) {
    silentWindow_ = w;
    ReportFailure(L"the IME of the foreground window gave no answer in time");
  }
  return ImeStatus::NoAnswer;
}

std::optional<std::uint32_t> ImeProbe::ConversionMode(HWND w) noexcept {
  DWORD_PTR answer = 0;
  if (Query(w, IMC_GETCONVERSIONMODE, answer) != Reply::Answered) return std::nullopt;
  return static_cast<std::uint32_t>(answer);
}

bool ImeProbe::SetOpen(HWND w, bool open) noexcept {
  DWORD_PTR answer = 0;
  return Query(w, IMC_SETOPENSTATUS, answer, open ? 1 : 0) == Reply::Answered;
}

ImeProbe::Reply ImeProbe::Query(HWND w, WPARAM request, DWORD_PTR& answer, LPARAM value) noexcept {
  if (!w) return Reply::Gone;
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
  if (!ime) return Reply::Gone;
  const Reply sent = Send(ime, request, answer, value);
  if (sent != Reply::Gone || !remembered) return sent;
  // The remembered window is gone (its application made a new one): look again, once.
  rememberedIme_ = WalkThreadForImeWindow(w);
  rememberedFocus_ = rememberedIme_ ? w : nullptr;
  if (!rememberedIme_) return Reply::Gone;
  return Send(rememberedIme_, request, answer, value);
}

}  // namespace ruvano
