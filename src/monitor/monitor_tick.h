// The monitor tick: every 250 ms, and at once when the watch sees a change, it samples the
// foreground window, decides whether it qualifies, computes the indicator anchor, reads the
// IME open state of the focused control, keeps the handle list and says which cues it wants.
#pragma once

#include <cstdint>
#include <vector>

#include "monitor/cues.h"
#include "monitor/desktop.h"
#include "monitor/full_screen.h"
#include "monitor/handle_list.h"
#include "monitor/ime_rules.h"
#include "monitor/observation.h"
#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

class MonitorTick {
 public:
  // Without a full-screen probe no program counts as full-screen.
  MonitorTick(IDesktop& desktop, IProgramWindows& program, const Settings& settings,
              IFullScreenProbe* fullScreen = nullptr)
      : desktop_(desktop), program_(program), settings_(settings), fullScreen_(fullScreen) {}

  // One run of the tick and the cues it wants. countHint: its 250 ms period is due, so the
  // hint counts down; a run between the periods (the watch saw a change) leaves the
  // countdown alone.
  WantedCues Run(bool countHint = true);
  // The period is due but the tick waits for the next look: only the hint counts down.
  static WantedCues CountHintDown() {
    WantedCues wanted;
    wanted.events.countHint = true;
    return wanted;
  }
  // The last run found a full-screen program or a shell host in front and left it alone.
  bool Resting() const noexcept { return resting_; }

  // State kept between ticks, which the tick alone writes: the window in front as the last
  // tick saw it (0 when nothing qualified), its rectangle, the indicator's anchor, and the
  // windows seen with their IME on and not yet off.
  WindowId ActiveWindow() const noexcept { return activeWindow_; }
  const Rect& ActiveRect() const noexcept { return activeRect_; }
  std::int32_t AnchorLeft() const noexcept { return anchorLeft_; }
  std::int32_t AnchorTop() const noexcept { return anchorTop_; }
  const HandleList& Handles() const noexcept { return handles_; }
  // The window that qualified last, kept when nothing qualifies after it; 0 before the first.
  WindowId LastQualifiedWindow() const noexcept { return lastQualified_; }
  // What set the IME of the window in front at the last run (ImeRules); the run then
  // signalled nothing, and the next reading signals the new state.
  ImeSetBy LastImeSet() const noexcept { return imeSet_; }

  // Diagnosis: while seen is set, each run records there what it saw and decided; nothing
  // stops it asking.
  void Observe(Observation* seen) noexcept { seen_ = seen; }

  // For tests and benchmarks that start from a known list: w goes to its front, or the list
  // is emptied.
  void ListAtFront(WindowId w) { handles_.InsertFront(w); }
  void ClearList() noexcept { handles_.Clear(); }

 private:
  bool Qualifies(WindowId w, const Text& cls, Rect& r);
  bool Excluded(WindowId w);
  const Text& ProcessPath(WindowId w);
  WindowId DesktopWindow(WindowId w, const Text& cls);
  void SameWindow(WindowId w, int idx, bool changed);
  void NewWindow(WindowId w, int idx);
  bool FocusedImeOpen(int idx);
  bool OpenInCountingMode(WindowId focus);
  bool Answered(WindowId focus, bool open);
  void ShowIndicator(WindowId w);
  void HideIndicator() noexcept { state_.indicator = false; }
  void Reset();

  IDesktop& desktop_;
  IProgramWindows& program_;
  const Settings& settings_;
  IFullScreenProbe* fullScreen_;
  WindowId desktopLookedFor_ = 0;  // the window in front when the desktop was looked for last
  WindowId activeWindow_ = 0;
  WindowId lastQualified_ = 0;
  Text excludeList_;  // the ExcludeApps text that excludedNames_ was split from
  std::vector<Text> excludedNames_;
  bool resting_ = false;
  bool pathRead_ = false;  // path_ holds the process path of this tick's window in front
  Text path_;
  Rect activeRect_;
  std::int32_t anchorLeft_ = 0;
  std::int32_t anchorTop_ = 0;
  HandleList handles_;
  ImeRules imeRules_;
  ImeSetBy imeSet_ = ImeSetBy::Nothing;
  bool imeSetOpen_ = false;      // the state imeSet_ set
  Observation* seen_ = nullptr;  // diagnosis
  CueState state_;               // what the runs want of the cues
  CueEvents events_;             // this run's one-shots
};

}  // namespace ruvano
