#include "monitor/monitor_tick.h"

#include "monitor/excluded_apps.h"
#include "monitor/indicator_anchor.h"
#include "monitor/indicator_size.h"
#include "zeq/probes.h"

namespace ruvano {
namespace {

// Windows 11 runs its search box and start menu in windows of their own processes; while
// one of them is in front the tick only hides the indicator.
bool IsShellHostImage(const Text& path) {
  const Text name = ImageFileName(path);
  return SameImageName(name, u"SearchHost.exe") || SameImageName(name, u"StartMenuExperienceHost.exe");
}

}  // namespace

WantedCues MonitorTick::Run(bool countHint) {
  events_ = CueEvents{};
  events_.countHint = countHint;
  state_.led.reset();
  resting_ = false;
  imeSet_ = ImeSetBy::Nothing;

  // Drop the entries of destroyed windows, last to first so the indices still to be
  // visited stay valid.
  for (std::size_t i = handles_.Count(); i-- > 0;) {
    if (!desktop_.IsWindow(handles_.At(i))) handles_.Delete(i);
  }

  // While the settings window is on screen the monitor rests.
  if (program_.SettingsWindowOnScreen()) return {false, state_, events_};

  const WindowId w = desktop_.ForegroundWindow();
  pathRead_ = false;
  if (seen_) seen_->Begin(w);  // diagnosis

  if (desktop_.IsWin11() && IsShellHostImage(ProcessPath(w))) {
    HideIndicator();
    activeWindow_ = w;
    resting_ = true;
    if (seen_) seen_->decision = Decision::ShellHost;  // diagnosis
    return {true, state_, events_};
  }

  const Text cls = desktop_.ClassName(w);
  Rect r;
  if (!Qualifies(w, cls, r)) {
    Reset();
    return {true, state_, events_};
  }
  lastQualified_ = w;
  const WindowId desktop = DesktopWindow(w, cls);

  // A full-screen program is not interrupted: as for the shell hosts, the indicator and the
  // hint go and nothing else changes (the LED keeps its state, no key is sent).
  if (fullScreen_ && settings_.QuietFullScreen() && FullScreenInFront(*fullScreen_, w, w == desktop)) {
    HideIndicator();
    if (settings_.Hint()) events_.hideHint = true;
    if (w != activeWindow_) {
      // A game on a list still starts in the state the list asks for, once and without a cue.
      activeWindow_ = w;
      imeRules_.Activated(desktop_, w);
      FocusedImeOpen(handles_.IndexOf(w));
    }
    resting_ = true;
    if (seen_) seen_->decision = Decision::FullScreenRest;  // diagnosis
    return {true, state_, events_};
  }

  // The indicator sits on what the user sees of the window: on a maximised window the
  // invisible borders lie outside the screen.
  desktop_.VisibleFrame(w, r);
  const bool changed = r != activeRect_;
  activeRect_ = r;
  const std::int32_t border = ReadBorderMetric(desktop_, r);
  const std::int32_t size = IndicatorSize(desktop_.MonitorDpi(r), settings_.IconSize());
  UpdateIndicatorAnchor(w, r, settings_.IconPosition(), desktop, border, size, anchorLeft_, anchorTop_);

  const int idx = handles_.IndexOf(w);
  if (w == activeWindow_)
    SameWindow(w, idx, changed);
  else
    NewWindow(w, idx);
  if (seen_) {  // diagnosis
    seen_->Signalled(handles_.IndexOf(w) != -1);
    if (imeSet_ != ImeSetBy::Nothing) {
      seen_->decision = Decision::RuleApplied;
      seen_->imeOn = imeSetOpen_;
    }
  }
  return {true, state_, events_};
}

// The checks of QualificationOf, which says why a window does not qualify; the caller has read the
// class name up front.
bool MonitorTick::Qualifies(WindowId w, const Text& cls, Rect& r) {
  const Decision d = QualificationOf(desktop_, program_, w, cls, r, [this, w] { return Excluded(w); });
  if (seen_) seen_->decision = d;  // diagnosis
  return d == Decision::None;
}

// A program on the user's list is left alone as the taskbar is. With no list nothing is asked.
bool MonitorTick::Excluded(WindowId w) {
  // Split again only when the user changed the list, not at every tick.
  if (settings_.ExcludeApps() != excludeList_) {
    excludeList_ = settings_.ExcludeApps();
    excludedNames_ = ExcludedAppNames(excludeList_);
  }
  return !excludedNames_.empty() && IsExcludedApp(excludedNames_, AppImageName(desktop_, w, ProcessPath(w)));
}

// The image path of the window in front, read at most once a tick (it is a call into the
// system for another process).
const Text& MonitorTick::ProcessPath(WindowId w) {
  if (!pathRead_) {
    path_ = desktop_.GetWindowProcessPath(w);
    pathRead_ = true;
  }
  return path_;
}

// The desktop window for the anchor. Explorer makes a new one when it restarts, so the tick
// looks for it again when a "Progman" or "WorkerW" window other than the kept one is in front,
// or when the kept handle is in front as a window of another class (the desktop is gone and
// its handle reused). A gone desktop matters nowhere else: the anchor only compares it with
// the window in front. A "WorkerW" that is not the desktop is looked for once while it stays
// in front, as long as a desktop is known.
WindowId MonitorTick::DesktopWindow(WindowId w, const Text& cls) {
  const WindowId kept = program_.DesktopWnd();
  const bool desktopClass = IsDesktopClass(cls);
  if (desktopClass == (w == kept)) return kept;
  if (desktopClass && w == desktopLookedFor_ && kept != 0) return kept;
  desktopLookedFor_ = w;
  return program_.RefindDesktopWnd();
}

void MonitorTick::SameWindow(WindowId w, int idx, bool changed) {
  // A window that moved or changed size gets its indicator shown afresh at the new anchor.
  if (changed) HideIndicator();

  const bool open = FocusedImeOpen(idx);
  if (imeSet_ != ImeSetBy::Nothing) return;  // IME rules: the next reading signals
  if (open) {
    if (idx == -1) {
      handles_.InsertFront(w);
      if (!settings_.Mute()) events_.sound = true;
      events_.triggerHint = true;
    }
    ShowIndicator(w);
    state_.led = true;
    return;
  }

  if (idx != -1) {
    handles_.Delete(static_cast<std::size_t>(idx));
    if (!settings_.Mute() && settings_.Off()) events_.sound = false;
    state_.led = false;
  }
  if (settings_.Hint()) events_.hideHint = true;
  HideIndicator();
}

void MonitorTick::NewWindow(WindowId w, int idx) {
  HideIndicator();
  activeWindow_ = w;
  imeRules_.Activated(desktop_, w);  // IME rules: the first answered reading decides

  if (!FocusedImeOpen(idx) || imeSet_ != ImeSetBy::Nothing) return;

  // Every switch to a window whose IME is on signals afresh; its entry moves to the front.
  if (idx != -1) handles_.Delete(static_cast<std::size_t>(idx));
  handles_.InsertFront(w);
  ShowIndicator(w);
  state_.led = true;
  events_.triggerHint = true;
  if (!settings_.Mute()) events_.sound = true;
}

// The IME state of the focused control of the window in front (idx: the window's entry in the
// handle list, or -1).
bool MonitorTick::FocusedImeOpen(int idx) {
  const WindowId f = desktop_.GetFocusedWindow();
  // No control has the focus: nothing can be typed, so the IME reads as closed. Asking about
  // handle 0 would read the program's own IME instead, which the indicator opens.
  if (f == 0) return false;
  switch (desktop_.ImeOpenStatus(f)) {
    case ImeStatus::Open: return Answered(f, OpenInCountingMode(f));
    case ImeStatus::Closed: return Answered(f, false);
    // The system blocks the question to a program with higher rights: that is its answer,
    // not a hang, so nothing seen earlier for the handle stands in for it.
    case ImeStatus::Refused: return false;
    case ImeStatus::NoAnswer: break;
  }
  // A busy or hung application cannot switch its IME: its window keeps the state the tick
  // saw last for it, which the handle list holds (listed: seen open and not yet closed). Its
  // input mode, and so the indicator's picture, stays as it was too.
  return idx != -1;
}

// An open IME, with its input mode when an option needs it: the indicator shows the mode,
// and an IME in half-width alphanumeric mode counts as closed when asked for. An IME that
// gives no mode answer is in hiragana mode.
bool MonitorTick::OpenInCountingMode(WindowId focus) {
  if (!settings_.ShowMode() && !settings_.AlnumOff()) return true;
  const std::optional<std::uint32_t> bits = desktop_.ImeConversionMode(focus);
  const InputMode mode = bits ? ClassifyConversionMode(*bits) : InputMode::Hiragana;
  if (settings_.AlnumOff() && mode == InputMode::HalfAlnum) return false;
  if (settings_.ShowMode()) state_.mode = mode;
  return true;
}

// IME rules: an answered reading of the window in front, which may set its IME. The caller
// signals nothing when a set was sent; the window's entry goes, so that the next reading
// signals the state set as for a window new in front.
bool MonitorTick::Answered(WindowId focus, bool open) {
  const WindowId w = activeWindow_;
  const ImeSet set =
      imeRules_.Reading(w, open, settings_, [this, w] { return AppImageName(desktop_, w, ProcessPath(w)); });
  if (set.by == ImeSetBy::Nothing || !desktop_.SetImeOpenStatus(focus, set.open)) return open;
  imeSet_ = set.by;
  imeSetOpen_ = set.open;
  if (const int idx = handles_.IndexOf(w); idx != -1) handles_.Delete(static_cast<std::size_t>(idx));
  return open;
}

// The indicator stands on w as it is now (with the Icon option on); the program shows it
// where it is hidden.
void MonitorTick::ShowIndicator(WindowId w) {
  state_.indicator = settings_.Icon();
  state_.window = w;
  state_.frame = activeRect_;
  state_.anchor = {anchorLeft_, anchorTop_};
}

// Nothing to signal in front: forget the window and take every cue down. The handle list
// keeps its entries.
void MonitorTick::Reset() {
  activeWindow_ = 0;
  anchorLeft_ = 0;
  anchorTop_ = 0;
  activeRect_ = Rect{};
  HideIndicator();
  events_.closeIndicator = true;
  state_.led = false;
  if (settings_.Hint()) events_.hideHint = true;
}

}  // namespace ruvano
