#include "monitor/win32/caret_win32.h"

#include <objbase.h>
#include <oleacc.h>

#include <new>

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

// What the GUI thread and the caret thread share. It lives on the heap with a reference for
// each of them, so that a thread still inside a hung program at the end keeps it valid.
struct AccessibleCaret::Exchange {
  CRITICAL_SECTION lock;
  HANDLE wake = nullptr;  // auto-reset: a question waits, or the end
  LONG refs = 2;
  bool quit = false;
  HWND asked = nullptr;   // the control to ask next
  HWND asking = nullptr;  // the control being asked now
  DWORD askingProcess = 0;
  ULONGLONG askedAt = 0;
  HWND notify = nullptr;
  UINT message = 0;
  HWND answered = nullptr;  // the control the latest answer is for
  bool found = false;
  RECT place{};
  ULONGLONG answeredAt = 0;

  void Release() noexcept {
    if (::InterlockedDecrement(&refs) != 0) return;
    ::DeleteCriticalSection(&lock);
    if (wake) ::CloseHandle(wake);
    delete this;
  }
};

namespace {

// An answer younger than this is used as it is; an older one is used and asked afresh. Answers
// come back within a millisecond or two from a program that is not busy, so the caller that
// looks again at the posted answer does not set off the next question.
constexpr ULONGLONG kAnswerFreshMs = 30;

// How long the end of the program waits for the caret thread. A thread inside a call into a
// program that does not answer is left behind: its reference keeps the shared state alive,
// and the end of the process ends it.
constexpr DWORD kThreadEndWaitMs = 300;

// A program whose caret object has not answered for this long is busy.
constexpr ULONGLONG kBusyAfterMs = 50;

class Locked {
 public:
  explicit Locked(CRITICAL_SECTION& lock) noexcept : lock_(lock) { ::EnterCriticalSection(&lock_); }
  ~Locked() { ::LeaveCriticalSection(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION& lock_;
};

// The caret object of focus, on the caret thread. SMTO_BLOCK: nothing sent to this thread runs
// inside the wait.
bool AskCaretObject(HWND focus, RECT& r) noexcept {
  DWORD_PTR answer = 0;
  // Chromium answers OBJID_CARET with its system caret object, which it makes whatever its
  // accessibility mode, and switches no mode on for it (LegacyRenderWidgetHostHWND::OnGetObject
  // in content/browser/renderer_host/legacy_render_widget_host_win.cc, and
  // HWNDMessageHandler::OnGetObject in ui/views/win/hwnd_message_handler.cc). Its accLocation
  // adds only the basic ui::AXMode::kNativeAPIs (AXPlatformNodeWin::accLocation ->
  // WindowsAccessibilityEnabler::OnMSAAUsed), not the complete mode a screen reader gets.
  if (!::SendMessageTimeoutW(focus, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CARET),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kCaretQueryTimeoutMs, &answer))
    return false;
  // 0: the control has no object of its own; the system's stand-in for it would only repeat
  // the system caret. A positive answer is a reference that ObjectFromLresult takes over
  // (learn.microsoft.com/windows/win32/api/oleacc/nf-oleacc-objectfromlresult).
  if (static_cast<LRESULT>(answer) <= 0) return false;
  IAccessible* caret = nullptr;
  if (FAILED(g_objectFromLresult.get()(static_cast<LRESULT>(answer), __uuidof(IAccessible), 0,
                                       reinterpret_cast<void**>(&caret))) ||
      !caret)
    return false;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  long left = 0, top = 0, width = 0, height = 0;
  // accLocation gives the object's place in screen coordinates
  // (learn.microsoft.com/windows/win32/api/oleacc/nf-oleacc-iaccessible-acclocation).
  const bool found = caret->accLocation(&left, &top, &width, &height, self) == S_OK;
  caret->Release();
  if (found) r = {left, top, left + width, top + height};
  return found;
}

}  // namespace

AccessibleCaret::~AccessibleCaret() {
  if (!exchange_) return;
  {
    Locked hold(exchange_->lock);
    exchange_->quit = true;
    exchange_->notify = nullptr;
  }
  ::SetEvent(exchange_->wake);
  ::WaitForSingleObject(thread_, kThreadEndWaitMs);
  ::CloseHandle(thread_);
  exchange_->Release();
}

bool AccessibleCaret::StartThread() noexcept {
  if (startTried_) return exchange_ != nullptr;
  startTried_ = true;
  if (!g_objectFromLresult) return false;
  auto* x = new (std::nothrow) Exchange;
  if (!x) return false;
  ::InitializeCriticalSection(&x->lock);
  x->wake = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
  x->notify = notify_;
  x->message = message_;
  HANDLE thread = x->wake ? ::CreateThread(nullptr, 0, &AccessibleCaret::ThreadMain, x, 0, nullptr) : nullptr;
  if (!thread) {
    x->refs = 1;
    x->Release();
    return false;
  }
  exchange_ = x;
  thread_ = thread;
  return true;
}

DWORD WINAPI AccessibleCaret::ThreadMain(void* exchange) noexcept {
  Exchange& x = *static_cast<Exchange*>(exchange);
  const bool com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  for (;;) {
    // The apartment's thread handles its own messages while it waits.
    if (::MsgWaitForMultipleObjects(1, &x.wake, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG msg;
      while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    HWND focus = nullptr;
    {
      Locked hold(x.lock);
      if (x.quit) break;
      focus = x.asked;
      x.asked = nullptr;
      x.asking = focus;
      x.askedAt = ::GetTickCount64();
      x.askingProcess = 0;
      if (focus) ::GetWindowThreadProcessId(focus, &x.askingProcess);
    }
    if (!focus) continue;
    RECT r{};
    const bool found = com && AskCaretObject(focus, r);
    HWND notify = nullptr;
    UINT message = 0;
    {
      Locked hold(x.lock);
      x.asking = nullptr;
      x.askingProcess = 0;
      x.answered = focus;
      x.found = found;
      x.place = r;
      x.answeredAt = ::GetTickCount64();
      notify = x.notify;
      message = x.message;
    }
    if (notify) ::PostMessageW(notify, message, 0, 0);
  }
  if (com) ::CoUninitialize();
  x.Release();
  return 0;
}

DWORD AccessibleCaret::BusyProcess() const noexcept {
  if (!exchange_) return 0;
  Locked hold(exchange_->lock);
  return exchange_->askingProcess && ::GetTickCount64() - exchange_->askedAt >= kBusyAfterMs
             ? exchange_->askingProcess
             : 0;
}

bool AccessibleCaret::Read(HWND w, HWND focus, RECT& r) noexcept {
  if (!focus) {
    GUITHREADINFO gui;
    if (!ThreadInfoOf(w, gui)) return false;
    focus = gui.hwndFocus ? gui.hwndFocus : w;
  }
  if (!StartThread()) return false;
  Exchange& x = *exchange_;
  Locked hold(x.lock);
  const bool known = x.answered == focus;
  if (known && x.found) r = x.place;
  const bool fresh = known && ::GetTickCount64() - x.answeredAt < kAnswerFreshMs;
  if (!fresh && x.asking != focus && x.asked != focus) {
    x.asked = focus;
    ::SetEvent(x.wake);
  }
  return known && x.found;
}

}  // namespace ruvano
