#include "monitor/win32/monitor.h"

#include <commctrl.h>
#include <dwmapi.h>
#include <wtsapi32.h>

#include "zeq/win32/failure_report.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/system_library.h"

namespace ruvano {
namespace {

// wtsapi32 and dwmapi are not among the known DLLs.
LazyProc<decltype(&::WTSRegisterSessionNotification)> g_registerSession(L"wtsapi32.dll",
                                                                        "WTSRegisterSessionNotification");
LazyProc<decltype(&::WTSUnRegisterSessionNotification)> g_unregisterSession(
    L"wtsapi32.dll", "WTSUnRegisterSessionNotification");

SessionEvent ToSessionEvent(WPARAM event) noexcept {
  switch (event) {
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT: return SessionEvent::Connect;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT: return SessionEvent::Disconnect;
    case WTS_SESSION_LOCK: return SessionEvent::Lock;
    case WTS_SESSION_UNLOCK: return SessionEvent::Unlock;
    default: return SessionEvent::Other;
  }
}

}  // namespace

Monitor::Monitor(IMonitorCues& cues, const Settings& settings, HWND applicationWindow) noexcept
    : applicationWindow_(applicationWindow),
      settings_(settings),
      tick_(desktop_, cues, *this, settings, &fullScreen_) {}

Monitor::~Monitor() {
  if (running_) ::KillTimer(applicationWindow_, kTimerId);
  if (sessionNotified_ && g_unregisterSession) g_unregisterSession.get()(applicationWindow_);
  if (subclassed_)
    ::RemoveWindowSubclass(applicationWindow_, &Monitor::ApplicationWindowProc,
                           reinterpret_cast<UINT_PTR>(this));
}

void Monitor::Start() {
  desktopWindow_.Find();
  if (applicationWindow_ && !subclassed_) {
    const auto self = reinterpret_cast<UINT_PTR>(this);
    subclassed_ =
        ::SetWindowSubclass(applicationWindow_, &Monitor::ApplicationWindowProc, self, self) != FALSE;
  }
  if (applicationWindow_ && !sessionNotified_ && g_registerSession) {
    sessionNotified_ = g_registerSession.get()(applicationWindow_, NOTIFY_FOR_THIS_SESSION) != FALSE;
  }
  started_ = true;
  Apply();
}

void Monitor::OnSessionChange(WPARAM event) noexcept {
  presence_.On(ToSessionEvent(event));
  Apply();
}

void Monitor::Hold() noexcept {
  held_ = true;
  Apply();
}

void Monitor::Resume() noexcept {
  held_ = false;
  Apply();
}

void Monitor::Stop() noexcept {
  stopped_ = true;
  Apply();
}

void Monitor::Restart() noexcept {
  stopped_ = false;
  Apply();
}

// The timer runs exactly while nothing keeps the monitor at rest.
void Monitor::Apply() noexcept {
  const bool wanted = started_ && !held_ && !stopped_ && !presence_.Away();
  if (wanted == running_ || !applicationWindow_) return;
  if (wanted) {
    running_ = ::SetTimer(applicationWindow_, kTimerId, Settings::kTimerIntervalMs, nullptr) != 0;
  } else {
    ::KillTimer(applicationWindow_, kTimerId);
    running_ = false;
  }
}

LRESULT CALLBACK Monitor::ApplicationWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                DWORD_PTR self) noexcept {
  auto& monitor = *reinterpret_cast<Monitor*>(self);
  switch (msg) {
    case WM_TIMER:
      // Also one sent from elsewhere; none while the monitor is at rest.
      if (wp != kTimerId) break;
      if (monitor.running_) monitor.Tick();
      return 0;
    case WM_WTSSESSION_CHANGE: monitor.OnSessionChange(wp); return 0;
  }
  return ::DefSubclassProc(wnd, msg, wp, lp);
}

void Monitor::Tick() noexcept {
  if (ticking_ || askingCaret_) return;
  ticking_ = true;
  desktop_.ForgetCaret();
  try {
    tick_.Run();
  } catch (...) {
    ReportFailure(L"a monitor tick failed and was dropped");
  }
  ticking_ = false;
}

std::optional<Point> Monitor::CaretPlace() noexcept {
  const WindowId w = tick_.ActiveWindow();
  if (w == 0 || askingCaret_) return std::nullopt;
  askingCaret_ = true;
  std::optional<Point> place;
  try {
    place = CaretAnchor(desktop_, w, settings_.IconSize());
  } catch (...) {}
  askingCaret_ = false;
  return place;
}

// A settings window on another virtual desktop is not on screen: the monitor goes on.
bool Monitor::SettingsWindowOnScreen() {
  return restWindow_ && ::IsWindowVisible(restWindow_) && !IsCloaked(restWindow_);
}

WindowId Monitor::ApplicationWindow() { return FromHwnd(applicationWindow_); }

}  // namespace ruvano
