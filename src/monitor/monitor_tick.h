// The monitor tick: every 250 ms it samples the foreground window, decides whether it
// qualifies, computes the indicator anchor, reads the IME open state of the focused control,
// keeps the handle list and drives the cues.
#pragma once

#include <cstdint>
#include <string>

#include "monitor/cues.h"
#include "monitor/desktop.h"
#include "monitor/handle_list.h"
#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

class MonitorTick {
 public:
  MonitorTick(IDesktop& desktop, IMonitorCues& cues, IProgramWindows& program, const Settings& settings)
      : desktop_(desktop), cues_(cues), program_(program), settings_(settings) {}

  // One run of the tick.
  void TimerTimer();

  // State kept between ticks; the tick is its only writer.
  Hwnd MActWin = 0;
  Rect MActRect;
  std::int32_t MActLeft = 0;
  std::int32_t MActTop = 0;
  HandleList ListBoxHandle;

 private:
  bool Qualifies(Hwnd w, const Text& cls, Rect& r);
  Hwnd DesktopWindow(Hwnd w, const Text& cls);
  void SameWindow(const std::string& key, int idx, bool changed);
  void NewWindow(Hwnd w, const std::string& key, int idx);
  bool FocusedImeOpen(int idx);
  bool OpenInCountingMode(Hwnd focus);
  void ShowIndicatorIfHidden();
  void Reset();

  IDesktop& desktop_;
  IMonitorCues& cues_;
  IProgramWindows& program_;
  const Settings& settings_;
  Hwnd desktopLookedFor_ = 0;  // the window in front when the desktop was looked for last
};

}  // namespace ruvano
