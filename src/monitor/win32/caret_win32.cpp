#include "monitor/win32/caret_win32.h"

#include <objbase.h>
#include <oleacc.h>

#include "zeq/win32/probes_win32.h"
#include "zeq/win32/system_library.h"

namespace ruvano {
namespace {

// oleacc is not one of the known DLLs: it is bound at run time.
LazyProc<decltype(&::ObjectFromLresult)> g_objectFromLresult(L"oleacc.dll", "ObjectFromLresult");

bool ThreadInfoOf(HWND w, GUITHREADINFO& gui) noexcept {
  const DWORD thread = ::GetWindowThreadProcessId(w, nullptr);
  gui = {};
  gui.cbSize = sizeof(gui);
  return thread != 0 && ::GetGUIThreadInfo(thread, &gui) != FALSE;
}

// GetGUIThreadInfo gives the caret as its thread sees it, in the caret window's own client
// coordinates (learn.microsoft.com/windows/win32/api/winuser/ns-winuser-guithreadinfo). The
// client origin that ClientToScreen gives this per-monitor aware program is physical, but a
// window that is not aware of its monitor's DPI sets its caret in logical pixels, which the
// system stretches by the monitor's DPI over the window's (GetDpiForWindow,
// learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getdpiforwindow; 96 for an
// unaware window).
LONG Stretch(LONG v, UINT monitorDpi, UINT windowDpi) noexcept {
  return windowDpi == 0 || monitorDpi == 0
             ? v
             : ::MulDiv(v, static_cast<int>(monitorDpi), static_cast<int>(windowDpi));
}

}  // namespace

bool SystemCaret::Read(HWND w, RECT& r) noexcept {
  if (w != window_ || thread_ == 0) {
    window_ = w;
    thread_ = ::GetWindowThreadProcessId(w, nullptr);
    mapped_ = false;
  }
  focus_ = nullptr;
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  if (thread_ == 0 || !::GetGUIThreadInfo(thread_, &gui)) return false;
  focus_ = gui.hwndFocus;
  if (!gui.hwndCaret) return false;
  if (mapped_ && gui.hwndCaret == caretWindow_ && ::EqualRect(&gui.rcCaret, &client_)) {
    r = screen_;
    return true;
  }
  POINT origin{0, 0};
  if (!::ClientToScreen(gui.hwndCaret, &origin)) return false;
  const UINT windowDpi = WindowDpi(gui.hwndCaret);
  const UINT monitorDpi = MonitorDpi(::MonitorFromWindow(gui.hwndCaret, MONITOR_DEFAULTTONEAREST));
  const RECT& c = gui.rcCaret;
  r = {origin.x + Stretch(c.left, monitorDpi, windowDpi), origin.y + Stretch(c.top, monitorDpi, windowDpi),
       origin.x + Stretch(c.right, monitorDpi, windowDpi),
       origin.y + Stretch(c.bottom, monitorDpi, windowDpi)};
  mapped_ = true;
  caretWindow_ = gui.hwndCaret;
  client_ = gui.rcCaret;
  screen_ = r;
  return true;
}

AccessibleCaret::~AccessibleCaret() {
  if (comStarted_) ::CoUninitialize();
}

// The program's one thread is its GUI thread: a single-threaded apartment.
bool AccessibleCaret::StartCom() noexcept {
  if (!comTried_) {
    comTried_ = true;
    comStarted_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  }
  return comStarted_;
}

bool AccessibleCaret::Read(HWND w, HWND focus, RECT& r) noexcept {
  if (asking_) return false;
  if (!focus) {
    GUITHREADINFO gui;
    if (!ThreadInfoOf(w, gui)) return false;
    focus = gui.hwndFocus ? gui.hwndFocus : w;
  }
  if (focus == silent_) return false;
  silent_ = nullptr;
  if (!g_objectFromLresult || !StartCom()) return false;

  // SMTO_BLOCK: no message sent by another thread runs inside the wait.
  DWORD_PTR answer = 0;
  const ULONGLONG start = ::GetTickCount64();
  if (!::SendMessageTimeoutW(focus, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CARET),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kCaretQueryTimeoutMs, &answer)) {
    silent_ = focus;
    return false;
  }
  // 0: the control has no object of its own; the system's stand-in for it would only repeat
  // the system caret. A positive answer is a reference that ObjectFromLresult takes over
  // (learn.microsoft.com/windows/win32/api/oleacc/nf-oleacc-objectfromlresult).
  if (static_cast<LRESULT>(answer) <= 0) return false;
  asking_ = true;
  IAccessible* caret = nullptr;
  bool found = false;
  if (SUCCEEDED(g_objectFromLresult.get()(static_cast<LRESULT>(answer), __uuidof(IAccessible), 0,
                                          reinterpret_cast<void**>(&caret))) &&
      caret) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    long left = 0, top = 0, width = 0, height = 0;
    // accLocation gives the object's place in screen coordinates
    // (learn.microsoft.com/windows/win32/api/oleacc/nf-oleacc-iaccessible-acclocation).
    found = caret->accLocation(&left, &top, &width, &height, self) == S_OK;
    caret->Release();
    if (found) r = {left, top, left + width, top + height};
  }
  asking_ = false;
  if (::GetTickCount64() - start > kCaretQueryTimeoutMs) silent_ = focus;
  return found;
}

}  // namespace ruvano
