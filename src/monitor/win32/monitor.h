// The monitor: the 250 ms timer on the application window, the tick it runs, and the tick's
// view of the desktop. The tick rests while the settings window is on screen; the timer
// stops while a press on the indicator holds it and while the user is away from the session
// (locked or disconnected); once the program ends nothing starts it again.
#pragma once

#include <windows.h>

#include <optional>

#include "monitor/caret_anchor.h"
#include "monitor/cues.h"
#include "monitor/monitor_tick.h"
#include "monitor/session_presence.h"
#include "monitor/win32/desktop_win32.h"
#include "monitor/win32/full_screen_win32.h"
#include "settings/settings.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

class Monitor final : public IProgramWindows {
 public:
  // The timer's id on the application window. Its WM_TIMER, also one sent from elsewhere,
  // runs a tick while the timer runs.
  static constexpr UINT_PTR kTimerId = 1;

  // The cues and the settings must outlive the monitor, the application window its timer.
  Monitor(IMonitorCues& cues, const Settings& settings, HWND applicationWindow) noexcept;
  // Stops the timer and the session notifications.
  ~Monitor() override;
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  // Finds the desktop window, takes the timer's and the session's messages of the
  // application window, asks for the session's notifications and starts the timer.
  void Start();
  // The window whose being on screen makes the monitor rest (the settings window); none
  // before it exists.
  void RestWhileOnScreen(HWND window) noexcept { restWindow_ = window; }

  // A press on the indicator holds the monitor until the pointer leaves it; resuming a
  // monitor that runs leaves its period alone.
  void Hold() noexcept;
  void Resume() noexcept;
  // The program ends (Stop) or its end was called off (Restart).
  void Stop() noexcept;
  void Restart() noexcept;

  // One run of the tick; a failing run is dropped and the next starts from what it left.
  void Tick() noexcept;

  // The tick's state between runs: the anchor, the window in front, the handle list.
  const MonitorTick& State() const noexcept { return tick_; }
  // Where the indicator goes next to the caret of the window the last tick saw in front;
  // nothing when none qualified or it shows no caret on a monitor.
  std::optional<Point> CaretPlace() noexcept;

  // The program's own windows, as the tick sees them.
  bool SettingsWindowOnScreen() override;
  WindowId ApplicationWindow() override;
  WindowId DesktopWnd() override { return desktopWindow_.Current(); }
  WindowId RefindDesktopWnd() override { return desktopWindow_.Find(); }

 private:
  void Apply() noexcept;
  void OnSessionChange(WPARAM event) noexcept;
  static LRESULT CALLBACK ApplicationWindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                DWORD_PTR self) noexcept;

  HWND applicationWindow_;
  const Settings& settings_;
  HWND restWindow_ = nullptr;
  Win32Desktop desktop_;
  Win32FullScreenProbe fullScreen_;
  DesktopWindowFinder desktopWindow_;
  MonitorTick tick_;
  SessionPresence presence_;
  bool subclassed_ = false;       // the application window's messages reach the monitor
  bool sessionNotified_ = false;  // registered for the session's notifications
  bool started_ = false;
  bool held_ = false;
  bool stopped_ = false;
  bool running_ = false;
  // A tick or a caret question runs. The accessible caret call lets other messages in; a
  // tick that comes meanwhile is skipped.
  bool ticking_ = false;
  bool askingCaret_ = false;
};

}  // namespace ruvano
