#include "monitor/win32/monitor.h"

#include <dwmapi.h>
#include <wtsapi32.h>

#include <utility>

#include "monitor/win32/diagnosis_win32.h"
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

// The one monitor whose window events arrive (the hooks give no context of their own).
Monitor* g_hooked = nullptr;

}  // namespace

Monitor::Monitor(ApplyCues apply, const Settings& settings, MessageRoute* applicationWindow) noexcept
    : apply_(std::move(apply)),
      route_(applicationWindow),
      applicationWindow_(applicationWindow ? applicationWindow->RouteWindow() : nullptr),
      settings_(settings),
      tick_(desktop_, *this, settings, &fullScreen_) {}

Monitor::~Monitor() {
  Stop();
  if (sessionNotified_ && g_unregisterSession) g_unregisterSession.get()(applicationWindow_);
  if (routed_) {
    for (UINT msg : {UINT{WM_TIMER}, UINT{WM_WTSSESSION_CHANGE}, kCaretAnswerMessage, kWakeMessage})
      route_->Withdraw(msg);
  }
}

void Monitor::Start() {
  desktopWindow_.Find();
  if (route_ && !routed_) {
    routed_ = true;
    route_->Route(WM_TIMER, [this](WPARAM id, LPARAM) -> LRESULT {
      // Also one sent from elsewhere; none while the monitor is at rest.
      if (!running_) return 0;
      if (id == kTimerId) Watch(true);
      if (id == kWatchTimerId) Watch(false);
      if (id == kCaretTimerId) Follow();
      return 0;
    });
    route_->Route(WM_WTSSESSION_CHANGE, [this](WPARAM event, LPARAM session) -> LRESULT {
      OnSessionChange(event, session);
      return 0;
    });
    route_->Route(kWakeMessage, [this](WPARAM, LPARAM) -> LRESULT {
      if (running_) Watch(false);
      return 0;
    });
    route_->Route(kCaretAnswerMessage, [this](WPARAM, LPARAM) -> LRESULT {
      if (running_ && following_) Follow();
      return 0;
    });
    desktop_.PostCaretAnswersTo(applicationWindow_, kCaretAnswerMessage);
  }
  if (applicationWindow_ && !sessionNotified_ && g_registerSession) {
    sessionNotified_ = g_registerSession.get()(applicationWindow_, NOTIFY_FOR_THIS_SESSION) != FALSE;
  }
  started_ = true;
  Apply();
}

// WTSRegisterSessionNotification's lParam names the session the event is about
// (learn.microsoft.com/windows/win32/termserv/wm-wtssession-change).
void Monitor::OnSessionChange(WPARAM event, LPARAM session) noexcept {
  DWORD own = 0;
  const bool known = ::ProcessIdToSessionId(::GetCurrentProcessId(), &own) != FALSE;
  presence_.On(ToSessionEvent(event), static_cast<std::uint32_t>(session),
               known ? std::optional<std::uint32_t>(own) : std::nullopt);
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

void Monitor::FollowCaret(bool on) noexcept {
  following_ = on;
  lastCaret_.reset();
  Apply();
}

// The timers and the window events run exactly while nothing keeps the monitor at rest.
void Monitor::Apply() noexcept {
  const bool wanted = started_ && !held_ && !stopped_ && !presence_.Away() && applicationWindow_;
  if (wanted != running_) {
    running_ = wanted;
    if (wanted) {
      ::SetTimer(applicationWindow_, kTimerId, Settings::kTimerIntervalMs, nullptr);
      // Without the sentinel the watch timer takes the quiet looks too.
      sentinelRuns_ = sentinel_.Start(applicationWindow_, kWakeMessage, ruvano::Watch::kQuietMs,
                                      ruvano::Watch::kAfterInputMs);
      watchPeriod_ = sentinelRuns_ ? 0 : ruvano::Watch::kQuietMs;
      if (watchPeriod_) ::SetTimer(applicationWindow_, kWatchTimerId, watchPeriod_, nullptr);
    } else {
      ::KillTimer(applicationWindow_, kTimerId);
      ::KillTimer(applicationWindow_, kWatchTimerId);
      sentinel_.Stop();
      sentinelRuns_ = false;
    }
    Hook(wanted);
  }
  if (running_ && following_)
    ::SetTimer(applicationWindow_, kCaretTimerId, kCaretFollowMs, nullptr);
  else if (applicationWindow_)
    ::KillTimer(applicationWindow_, kCaretTimerId);
  HookCaret();
}

// The caret's moves come with every window's moves and the pointer's: the hook listens only
// while the caret is followed, and only to the process of the window in front.
void Monitor::HookCaret() noexcept {
  DWORD process = 0;
  if (running_ && following_ && g_hooked == this)
    ::GetWindowThreadProcessId(ToHwnd(tick_.ActiveWindow()), &process);
  if (process == caretProcess_) return;
  if (caretHook_) ::UnhookWinEvent(caretHook_);
  caretHook_ = nullptr;
  caretProcess_ = process;
  if (process)
    caretHook_ = ::SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                   &Monitor::OnWinEvent, process, 0, WINEVENT_OUTOFCONTEXT);
}

// Foreground and focus changes start a look at once, and the caret's moves a follow, where
// the system reports them (learn.microsoft.com/windows/win32/api/winuser/
// nf-winuser-setwineventhook). Out of context: the events come through this thread's message
// loop, and none of our own windows' events.
void Monitor::Hook(bool on) noexcept {
  for (HWINEVENTHOOK& hook : hooks_) {
    if (hook) ::UnhookWinEvent(hook);
    hook = nullptr;
  }
  if (g_hooked == this) g_hooked = nullptr;
  if (!on || g_hooked) return;
  g_hooked = this;
  constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
  hooks_[0] = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                &Monitor::OnWinEvent, 0, 0, kFlags);
  hooks_[1] =
      ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &Monitor::OnWinEvent, 0, 0, kFlags);
}

void CALLBACK Monitor::OnWinEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG, DWORD,
                                  DWORD) noexcept {
  Monitor* monitor = g_hooked;
  if (!monitor || !monitor->running_) return;
  if (event == EVENT_OBJECT_LOCATIONCHANGE) {
    if (object == OBJID_CARET && monitor->following_) monitor->Follow();
    return;
  }
  monitor->Watch(false);
}

// One look at the window in front; the watch decides whether the tick runs. While the settings
// window is on screen or a full-screen program is in front, the looks ask no other program.
void Monitor::Watch(bool periodic) noexcept {
  if (SettingsWindowOnScreen()) {
    if (periodic) Tick(true);
    return;
  }
  if (periodic) silentFocus_ = nullptr;
  LASTINPUTINFO input{};
  input.cbSize = sizeof(input);
  if (!::GetLastInputInfo(&input)) input.dwTime = 0;
  const DWORD now = ::GetTickCount();
  ruvano::Look look{.front = desktop_.ForegroundWindow()};
  const bool resting = tick_.Resting() && look.front == tick_.ActiveWindow();
  if (!resting && watch_.ReadsIme(look.front, now, input.dwTime)) {
    look.full = true;
    look.focus = desktop_.GetFocusedWindow();
    if (look.focus == FromHwnd(silentFocus_))
      look.ime = ImeStatus::NoAnswer;
    else if (look.focus != 0)
      look.ime = desktop_.ImeOpenStatus(look.focus);
    if (look.ime == ImeStatus::NoAnswer) silentFocus_ = ToHwnd(look.focus);
  }
  if (watch_.TickAfter(look, periodic)) {
    Tick(periodic);
    watch_.Ticked(look);
  } else if (periodic) {
    try {
      if (apply_) apply_(MonitorTick::CountHintDown());
    } catch (...) {
      ReportFailure(L"the hint's countdown failed");
    }
  }
  // A full-screen program in front is left alone: no closer looks for its input.
  UINT period = resting ? ruvano::Watch::kQuietMs : watch_.PeriodMs(now, input.dwTime);
  if (period == ruvano::Watch::kQuietMs && sentinelRuns_) period = 0;
  if (period != watchPeriod_ && running_) {
    watchPeriod_ = period;
    if (period)
      ::SetTimer(applicationWindow_, kWatchTimerId, period, nullptr);
    else
      ::KillTimer(applicationWindow_, kWatchTimerId);
  }
  // Typing moves the caret: after input the caret is followed at every look.
  if (following_ && look.full && now - input.dwTime < ruvano::Watch::kAfterInputMs) Follow();
}

void Monitor::Tick(bool countHint) noexcept {
  desktop_.ForgetCaret();
  try {
    const WantedCues wanted = tick_.Run(countHint);
    if (apply_) apply_(wanted);
    if (diagnosis_) {
      DescribeFront(desktop_, observation_);
      diagnosis_(observation_);
    }
  } catch (...) {
    ReportFailure(L"a monitor tick failed and was dropped");
  }
}

std::optional<Point> Monitor::CaretPlace() noexcept {
  const WindowId w = tick_.ActiveWindow();
  if (w == 0) return std::nullopt;
  try {
    return CaretAnchor(desktop_, w, settings_.IconSize());
  } catch (...) {
    return std::nullopt;
  }
}

// Tells the indicator only where the caret went or went away.
void Monitor::Follow() noexcept {
  const std::optional<Point> place = CaretPlace();
  if (place == lastCaret_) return;
  lastCaret_ = place;
  if (caretMoved_) caretMoved_(place);
}

// A settings window on another virtual desktop is not on screen: the monitor goes on. Nor
// does it rest while the diagnostic window shows what it sees.
bool Monitor::SettingsWindowOnScreen() {
  return !diagnosis_ && restWindow_ && ::IsWindowVisible(restWindow_) && !IsCloaked(restWindow_);
}

void Monitor::Diagnose(std::function<void(const Observation&)> seen) {
  diagnosis_ = std::move(seen);
  observation_ = Observation{};
  tick_.Observe(diagnosis_ ? &observation_ : nullptr);
}

WindowId Monitor::ApplicationWindow() { return FromHwnd(applicationWindow_); }

}  // namespace ruvano
