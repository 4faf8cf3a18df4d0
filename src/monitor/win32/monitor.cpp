#include "monitor/win32/monitor.h"

#include "zeq/win32/failure_report.h"
#include "zeq/win32/hwnd.h"

namespace ruvano {

Monitor::Monitor(IMonitorCues& cues, const Settings& settings, HWND applicationWindow) noexcept
    : applicationWindow_(applicationWindow), tick_(desktop_, cues, *this, settings) {}

Monitor::~Monitor() {
  if (running_) ::KillTimer(applicationWindow_, reinterpret_cast<UINT_PTR>(this));
}

void Monitor::Start() {
  desktopWindow_.Find();
  started_ = true;
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

// The timer runs exactly while nothing keeps the monitor at rest. Its id is the monitor
// itself, which the timer procedure gets back.
void Monitor::Apply() noexcept {
  const bool wanted = started_ && !held_ && !stopped_;
  if (wanted == running_ || !applicationWindow_) return;
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (wanted) {
    running_ = ::SetTimer(applicationWindow_, id, Settings::kTimerIntervalMs, &Monitor::OnTimer) != 0;
  } else {
    ::KillTimer(applicationWindow_, id);
    running_ = false;
  }
}

void CALLBACK Monitor::OnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  reinterpret_cast<Monitor*>(id)->Tick();
}

void Monitor::Tick() noexcept {
  try {
    tick_.RunTick();
  } catch (...) {
    ReportFailure(L"a monitor tick failed and was dropped");
  }
}

bool Monitor::SettingsWindowOnScreen() { return restWindow_ && ::IsWindowVisible(restWindow_) != FALSE; }

Hwnd Monitor::ApplicationWindow() { return FromHwnd(applicationWindow_); }

}  // namespace ruvano
