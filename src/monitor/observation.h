// What the monitor saw of the window in front at its last tick, and why it signalled it or
// left it alone: kept only while the diagnostic window asks for it, and turned into that
// window's text here. Portable: no platform headers.
#pragma once

#include <cstdint>
#include <vector>

#include "monitor/cues.h"
#include "monitor/desktop.h"
#include "zeq/probes.h"
#include "zeq/types.h"

namespace ruvano {

// The tick's decision about the window in front.
enum class Decision {
  None,            // no tick yet
  Signalled,       // it qualified; Observation::imeOn is the state signalled
  RuleApplied,     // a rule of the program lists set its IME
  Excluded,        // on the user's list of programs left alone
  FullScreenRest,  // a full-screen program, left alone
  ShellHost,       // Windows 11's search box or start menu
  OwnWindow,
  Taskbar,
  // Not qualified because the window is ...
  Disabled,
  Invisible,
  Minimised,
  NoRectangle,  // ... one whose rectangle cannot be read or is empty
};

// How the IME window that answers for the focused control was found.
enum class ImeWindowSource { None, DefaultImeWindow, ThreadImeClassWindow };

// One raw answer of the focused control's IME window to WM_IME_CONTROL.
struct ImeAnswer {
  enum class Kind { NoImeWindow, Value, NoAnswer, Refused };
  Kind kind = Kind::NoImeWindow;
  std::uint32_t value = 0;
};

enum class CaretSource { None, SystemCaret, AccessibleCaret };

struct Observation {
  // A tick begins its observation afresh with the window in front.
  void Begin(WindowId w) {
    *this = Observation();
    front = w;
  }
  void Signalled(bool on) {
    decision = Decision::Signalled;
    imeOn = on;
  }

  // Written by the tick.
  WindowId front = 0;
  Decision decision = Decision::None;
  bool imeOn = false;
  // Asked besides, for the diagnosis only.
  Text imageName;  // the program's, a hosted store app's own
  Text path;       // the image path of the window's process
  Text windowClass;
  WindowId focus = 0;
  Text focusClass;
  ImeWindowSource imeWindow = ImeWindowSource::None;
  ImeAnswer openStatus;
  ImeAnswer conversionMode;
  CaretSource caret = CaretSource::None;
  Rect caretRect;
  std::uint32_t dpi = 0;  // of the monitor the window is on; 0 when the system cannot tell
};

// The checks that the window in front passes to be signalled, in the order the tick runs
// them, stopping at the first that fails: its decision, or None when w passes them all. r
// receives the window's rectangle; excluded() is asked last.
template <class ExcludedCheck>
Decision QualificationOf(IDesktop& desktop, IProgramWindows& program, WindowId w, const Text& cls, Rect& r,
                         ExcludedCheck excluded) {
  if (!desktop.IsWindowEnabled(w)) return Decision::Disabled;
  if (!desktop.IsWindowVisible(w)) return Decision::Invisible;
  if (desktop.IsIconic(w)) return Decision::Minimised;
  if (desktop.GetRootWindow(w) == program.ApplicationWindow()) return Decision::OwnWindow;
  if (!desktop.GetValidWindowRect(w, r)) return Decision::NoRectangle;
  if (IsTaskbarClass(cls)) return Decision::Taskbar;
  if (excluded()) return Decision::Excluded;
  return Decision::None;
}

// The diagnostic window's text: the observation, then the kept failures (oldest first), a
// line each, lines ended by CR LF as an edit box wants them.
Text DiagnosisText(const Observation& seen, const std::vector<Text>& failures);

}  // namespace ruvano
