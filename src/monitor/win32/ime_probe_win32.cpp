#include "monitor/win32/ime_probe_win32.h"

#include <imm.h>

#include "zeq/win32/failure_report.h"
#include "zeq/win32/probes_win32.h"

#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#endif
#ifndef IMC_GETCONVERSIONMODE
#define IMC_GETCONVERSIONMODE 0x0001
#endif

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

// One request to an IME window. SMTO_BLOCK: a message that another thread sends to ours while
// we wait (a "/Show" request, an end-of-session query, a close) waits for the end of the tick
// instead of running inside it. An application that sends to us while it answers then makes
// the query time out.
bool SendImeControl(HWND ime, WPARAM request, DWORD_PTR& answer, bool& gone) noexcept {
  ::SetLastError(ERROR_SUCCESS);
  if (::SendMessageTimeoutW(ime, WM_IME_CONTROL, request, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kImeQueryTimeoutMs, &answer))
    return true;
  gone = ::GetLastError() == ERROR_INVALID_WINDOW_HANDLE;
  return false;
}

}  // namespace

HWND FindImeWindowFor(HWND w) noexcept {
  if (HWND ime = ::ImmGetDefaultIMEWnd(w)) return ime;
  return WalkThreadForImeWindow(w);
}

ImeStatus ImeProbe::Ask(HWND w) noexcept {
  DWORD_PTR answer = 0;
  const Reply reply = Query(w, IMC_GETOPENSTATUS, answer);
  if (reply != Reply::Silent) {
    silentWindow_ = nullptr;
    return reply == Reply::Answered && answer != 0 ? ImeStatus::Open : ImeStatus::Closed;
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

ImeProbe::Reply ImeProbe::Query(HWND w, WPARAM request, DWORD_PTR& answer) noexcept {
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
  bool gone = false;
  if (SendImeControl(ime, request, answer, gone)) return Reply::Answered;
  if (!gone || !remembered) return gone ? Reply::Gone : Reply::Silent;
  // The remembered window is gone (its application made a new one): look again, once.
  rememberedIme_ = WalkThreadForImeWindow(w);
  rememberedFocus_ = rememberedIme_ ? w : nullptr;
  if (!rememberedIme_) return Reply::Gone;
  gone = false;
  if (SendImeControl(rememberedIme_, request, answer, gone)) return Reply::Answered;
  return gone ? Reply::Gone : Reply::Silent;
}

}  // namespace ruvano
