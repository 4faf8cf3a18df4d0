#include "monitor/win32/diagnosis_win32.h"

#include <windows.h>

#include <imm.h>

#include "monitor/excluded_apps.h"
#include "monitor/win32/ime_probe_win32.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

// The request as the probe sends it, with the answer kept raw.
ImeAnswer Ask(HWND ime, WPARAM request) noexcept {
  if (!ime) return {};
  DWORD_PTR answer = 0;
  ::SetLastError(ERROR_SUCCESS);
  if (::SendMessageTimeoutW(ime, WM_IME_CONTROL, request, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                            kImeQueryTimeoutMs, &answer))
    return {ImeAnswer::Kind::Value, static_cast<std::uint32_t>(answer)};
  switch (::GetLastError()) {
    case ERROR_INVALID_WINDOW_HANDLE: return {};
    case ERROR_ACCESS_DENIED: return {ImeAnswer::Kind::Refused, 0};
    default: return {ImeAnswer::Kind::NoAnswer, 0};
  }
}

}  // namespace

void DescribeFront(IDesktop& desktop, Observation& seen) noexcept {
  const WindowId w = seen.front;
  if (w == 0) return;
  try {
    seen.path = desktop.GetWindowProcessPath(w);
    seen.imageName = AppImageName(desktop, w, seen.path);
    seen.windowClass = desktop.ClassName(w);
    seen.focus = desktop.GetFocusedWindow();
    if (seen.focus) seen.focusClass = desktop.ClassName(seen.focus);
    if (const HMONITOR monitor = ::MonitorFromWindow(ToHwnd(w), MONITOR_DEFAULTTONEAREST))
      seen.dpi = MonitorDpi(monitor);
    if (seen.dpi == 0) seen.dpi = WindowDpi(ToHwnd(w));
    if (desktop.SystemCaret(w, seen.caretRect))
      seen.caret = CaretSource::SystemCaret;
    else if (desktop.AccessibleCaret(w, seen.caretRect))
      seen.caret = CaretSource::AccessibleCaret;
  } catch (...) {
    // A text that could not be had stays empty; the rest is still worth showing.
  }
  // As for the tick, handle 0 would ask about the program's own IME.
  if (seen.focus == 0) return;
  const HWND focus = ToHwnd(seen.focus);
  HWND ime = ::ImmGetDefaultIMEWnd(focus);
  if (ime) {
    seen.imeWindow = ImeWindowSource::DefaultImeWindow;
  } else if ((ime = FindImeWindowFor(focus)) != nullptr) {
    seen.imeWindow = ImeWindowSource::ThreadImeClassWindow;
  }
  seen.openStatus = Ask(ime, IMC_GETOPENSTATUS);
  // A program that did not answer is not kept waiting a second time.
  seen.conversionMode =
      seen.openStatus.kind == ImeAnswer::Kind::NoAnswer ? seen.openStatus : Ask(ime, IMC_GETCONVERSIONMODE);
}

}  // namespace ruvano
