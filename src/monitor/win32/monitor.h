// The monitor: the timers that watch other programs, on the application window, the tick they
// run and the tick's view of the desktop. The tick runs every 250 ms; between its runs the
// sentinel thread notes input and a new window in front, and the watch then looks at the
// window in front every few milliseconds and runs the tick at once when a window or its IME
// state changes; while the indicator sits next to the caret, the caret
// follow looks where the caret went. All of them rest while the settings window is on screen,
// while a full-screen program is in front (the looks stay cheap), while a press on the
// indicator holds the monitor and while the user is away from the session (locked or
// disconnected); once the program ends nothing starts them again.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "monitor/caret_anchor.h"
#include "monitor/cues.h"
#include "monitor/monitor_tick.h"
#include "monitor/observation.h"
#include "monitor/session_presence.h"
#include "monitor/watch.h"
#include "monitor/win32/desktop_win32.h"
#include "monitor/win32/full_screen_win32.h"
#include "monitor/win32/sentinel_win32.h"
#include "settings/settings.h"
#include "zeq/win32/message_route.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

class Monitor final : public IProgramWindows {
 public:
  // The timers' ids on the application window. A WM_TIMER of the tick's, also one sent from
  // elsewhere, runs a tick while the monitor runs.
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT_PTR kWatchTimerId = 2;
  static constexpr UINT_PTR kCaretTimerId = 3;
  // How often the caret follow looks without a caret event (none arrive under Wine).
  static constexpr UINT kCaretFollowMs = 40;
  // Posted to the application window by the caret thread when an answer came in.
  static constexpr UINT kCaretAnswerMessage = WM_APP + 1;
  // Posted by the sentinel when input came after a quiet while or another window is in front.
  static constexpr UINT kWakeMessage = WM_APP + 2;

  // Gets the cues each tick wants, and each countdown of the hint between the ticks.
  using ApplyCues = std::function<void(const WantedCues&)>;

  // The settings must outlive the monitor, the application window its timers.
  Monitor(ApplyCues apply, const Settings& settings, MessageRoute* applicationWindow) noexcept;
  // Stops the timers, the window events and the session notifications.
  ~Monitor() override;
  Monitor(const Monitor&) = delete;
  Monitor& operator=(const Monitor&) = delete;

  // Finds the desktop window, registers for the application window's messages, the window
  // events and the session's notifications and starts the timers.
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
  // countHint: the tick's period is due (the hint counts down only then).
  void Tick(bool countHint = true) noexcept;

  // The tick's state between runs: the anchor, the window in front, the handle list.
  const MonitorTick& State() const noexcept { return tick_; }
  // Where the indicator goes next to the caret of the window the last tick saw in front;
  // nothing when none qualified or it shows no caret on a monitor. Never waits for the
  // program in front.
  std::optional<Point> CaretPlace() noexcept;
  // While on (and the monitor runs), the caret follow tells `moved` each new caret place, or
  // nothing when the caret is gone.
  void FollowCaret(bool on) noexcept;
  void OnCaretMoved(std::function<void(std::optional<Point>)> moved) { caretMoved_ = std::move(moved); }

  // Diagnosis: while seen is set, it gets what each tick saw with what DescribeFront adds,
  // and the monitor runs while the settings window is on screen too, so that the user sees
  // what it sees of the window they switch to.
  void Diagnose(std::function<void(const Observation&)> seen);

  // The program's own windows, as the tick sees them.
  bool SettingsWindowOnScreen() override;
  WindowId ApplicationWindow() override;
  WindowId DesktopWnd() override { return desktopWindow_.Current(); }
  WindowId RefindDesktopWnd() override { return desktopWindow_.Find(); }

 private:
  void Apply() noexcept;
  void Watch(bool periodic) noexcept;
  void Follow() noexcept;
  void OnSessionChange(WPARAM event, LPARAM session) noexcept;
  void Hook(bool on) noexcept;
  void HookCaret() noexcept;
  static void CALLBACK OnWinEvent(HWINEVENTHOOK hook, DWORD event, HWND wnd, LONG object, LONG child,
                                  DWORD thread, DWORD time) noexcept;

  ApplyCues apply_;
  MessageRoute* route_;
  HWND applicationWindow_;
  const Settings& settings_;
  HWND restWindow_ = nullptr;
  Win32Desktop desktop_;
  Win32FullScreenProbe fullScreen_;
  DesktopWindowFinder desktopWindow_;
  MonitorTick tick_;
  ruvano::Watch watch_;
  SessionPresence presence_;
  std::function<void(std::optional<Point>)> caretMoved_;
  std::function<void(const Observation&)> diagnosis_;
  Observation observation_;
  std::optional<Point> lastCaret_;
  HWND silentFocus_ = nullptr;  // gave no IME answer in time; the looks skip it until the tick
  HWINEVENTHOOK hooks_[2] = {};
  HWINEVENTHOOK caretHook_ = nullptr;
  DWORD caretProcess_ = 0;  // the process the caret hook listens to; 0 while none
  Sentinel sentinel_;
  bool sentinelRuns_ = false;
  UINT watchPeriod_ = 0;          // the watch timer's period; 0 while it does not run
  bool routed_ = false;           // the application window's messages reach the monitor
  bool sessionNotified_ = false;  // registered for the session's notifications
  bool started_ = false;
  bool held_ = false;
  bool stopped_ = false;
  bool running_ = false;
  bool following_ = false;
};

}  // namespace ruvano
