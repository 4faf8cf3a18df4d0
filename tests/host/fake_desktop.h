// Scripted stand-ins for the desktop and the program's own windows, for unit tests and
// benchmarks of the monitor. FakeDesktop answers from per-window records and counts (and
// optionally logs) every query; Wanted spells out the cues a run of the tick wants.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "monitor/cues.h"
#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano::fakes {

// One window as the fake desktop reports it. A handle without a record does not exist.
struct FakeWindow {
  Text className = u"Notepad";
  bool enabled = true;
  bool visible = true;
  bool iconic = false;
  Rect rect{100, 50, 900, 650};
  bool rectReadable = true;  // false: reading the rectangle fails
  // The visible frame the desktop window manager reports (Windows 10 and 11: the rectangle
  // without the invisible resize borders); unset: it gives none, as on Wine.
  std::optional<Rect> frame = std::nullopt;
  WindowId root = 0;  // top of the parent/owner chain; 0: the window itself
  Text processPath = u"C:\\Windows\\System32\\notepad.exe";
  std::optional<WindowId> focus = std::nullopt;  // focused control while in front; unset: the window itself
  bool imeOpen = false;                          // IME open state when asked about this window
  bool answers = true;                           // false: its application does not answer (busy or hung)
  bool elevated = false;                         // its program has higher rights: the query is refused
  std::optional<std::uint32_t> conversionMode = std::nullopt;  // unset: no answer to the mode query
  // The carets that its thread and its focused control's accessible object report while it
  // is in front (physical screen pixels); unset: that source knows none.
  std::optional<Rect> systemCaret = std::nullopt;
  std::optional<Rect> accessibleCaret = std::nullopt;
};

// One display monitor: its rectangle and its work area, in physical pixels, and its DPI.
struct FakeMonitor {
  Rect bounds;
  Rect work;
  std::uint32_t dpi = 96;
};

class FakeDesktop final : public IDesktop {
 public:
  enum class Query {
    ForegroundWindow,
    ClassName,
    IsWindowEnabled,
    IsWindowVisible,
    IsIconic,
    IsWindow,
    IsWin11,
    IsWin8OrLater,
    GetWindowProcessPath,
    GetRootWindow,
    HostedAppWindow,
    GetValidWindowRect,
    VisibleFrame,
    GetFocusedWindow,
    ImeOpenStatus,
    ImeConversionMode,
    SetImeOpenStatus,
    NonClientBorderWidth,
    BorderMultiplier,
    SystemCaret,
    AccessibleCaret,
    WorkAreaOf,
    MonitorDpi,
    Count_
  };
  struct Call {
    Query query;
    WindowId window;  // the window asked about; 0 for queries without one
    friend bool operator==(const Call&, const Call&) = default;
  };

  // The script.
  std::map<WindowId, FakeWindow> windows;
  WindowId foreground = 0;
  bool win11 = false;
  bool win8OrLater = true;
  bool ownImeOpen = false;  // the IME of the calling thread (the program's own)
  std::int32_t nonClientBorderWidth = 1;
  std::int32_t borderMultiplier = 1;
  std::vector<FakeMonitor> monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};

  // What was asked. Benchmarks switch the ordered log off; the counts always run.
  bool logQueries = true;
  std::vector<Call> queries;
  std::array<int, static_cast<std::size_t>(Query::Count_)> counts{};

  FakeWindow& Add(WindowId w, FakeWindow record = {}) { return windows[w] = std::move(record); }
  void Destroy(WindowId w) { windows.erase(w); }
  FakeWindow& At(WindowId w) { return windows.at(w); }
  int Count(Query q) const { return counts[static_cast<std::size_t>(q)]; }
  void ClearQueries() {
    queries.clear();
    counts.fill(0);
  }

  WindowId ForegroundWindow() override {
    Note(Query::ForegroundWindow, 0);
    return foreground;
  }
  Text ClassName(WindowId w) override {
    Note(Query::ClassName, w);
    const FakeWindow* f = Find(w);
    return f ? f->className.substr(0, 259) : Text();
  }
  bool IsWindowEnabled(WindowId w) override {
    Note(Query::IsWindowEnabled, w);
    auto f = Find(w);
    return f && f->enabled;
  }
  bool IsWindowVisible(WindowId w) override {
    Note(Query::IsWindowVisible, w);
    auto f = Find(w);
    return f && f->visible;
  }
  bool IsIconic(WindowId w) override {
    Note(Query::IsIconic, w);
    auto f = Find(w);
    return f && f->iconic;
  }
  bool IsWindow(WindowId w) override {
    Note(Query::IsWindow, w);
    return Find(w) != nullptr;
  }

  bool IsWin11() override {
    Note(Query::IsWin11, 0);
    return win11;
  }
  bool IsWin8OrLater() override {
    Note(Query::IsWin8OrLater, 0);
    return win8OrLater;
  }
  Text GetWindowProcessPath(WindowId w) override {
    Note(Query::GetWindowProcessPath, w);
    const FakeWindow* f = Find(w);
    return f ? f->processPath : Text();
  }
  WindowId GetRootWindow(WindowId w) override {
    Note(Query::GetRootWindow, w);
    const FakeWindow* f = Find(w);
    return f && f->root != 0 ? f->root : w;
  }
  // As Windows keeps a store app: its window of class "Windows.UI.Core.CoreWindow" is a child
  // of the host's frame, owned by the app's process (here: another image path).
  WindowId HostedAppWindow(WindowId frame) override {
    Note(Query::HostedAppWindow, frame);
    const FakeWindow* host = Find(frame);
    if (!host) return 0;
    for (const auto& [w, f] : windows)
      if (f.root == frame && f.className == u"Windows.UI.Core.CoreWindow" &&
          f.processPath != host->processPath)
        return w;
    return 0;
  }
  // As the real probe: a parked minimised window (-32000, -32000) gives false.
  bool GetValidWindowRect(WindowId w, Rect& r) override {
    Note(Query::GetValidWindowRect, w);
    const FakeWindow* f = Find(w);
    if (!f || !f->rectReadable) return false;
    r = f->rect;
    return !(r.left == -32000 && r.top == -32000);
  }
  // As DwmGetWindowAttribute(DWMWA_EXTENDED_FRAME_BOUNDS): learn.microsoft.com/windows/win32/
  // api/dwmapi/ne-dwmapi-dwmwindowattribute.
  bool VisibleFrame(WindowId w, Rect& r) override {
    Note(Query::VisibleFrame, w);
    const FakeWindow* f = Find(w);
    if (!f || !f->frame) return false;
    r = *f->frame;
    return true;
  }
  WindowId GetFocusedWindow() override {
    Note(Query::GetFocusedWindow, 0);
    const FakeWindow* f = Find(foreground);
    if (!f) return 0;
    return f->focus ? *f->focus : foreground;
  }
  // As Windows answers: for handle 0 the calling thread's own IME window replies.
  ImeStatus ImeOpenStatus(WindowId w) override {
    Note(Query::ImeOpenStatus, w);
    const FakeWindow* f = Find(w);
    if (f && !f->answers) return ImeStatus::NoAnswer;
    // UIPI blocks the message whatever the target's state: learn.microsoft.com/windows/win32/
    // api/winuser/nf-winuser-sendmessagetimeoutw (GetLastError gives ERROR_ACCESS_DENIED).
    if (f && f->elevated) return ImeStatus::Refused;
    return (w == 0 ? ownImeOpen : f && f->imeOpen) ? ImeStatus::Open : ImeStatus::Closed;
  }

  std::optional<std::uint32_t> ImeConversionMode(WindowId w) override {
    Note(Query::ImeConversionMode, w);
    const FakeWindow* f = Find(w);
    return f && f->answers && !f->elevated ? f->conversionMode : std::nullopt;
  }

  // Not taken by a hung program or one with higher rights, as the open-status query.
  bool SetImeOpenStatus(WindowId w, bool open) override {
    Note(Query::SetImeOpenStatus, w);
    const auto it = windows.find(w);
    if (w == 0 || it == windows.end() || !it->second.answers || it->second.elevated) return false;
    it->second.imeOpen = open;
    return true;
  }

  std::int32_t NonClientBorderWidth(const Rect&) override {
    Note(Query::NonClientBorderWidth, 0);
    return nonClientBorderWidth;
  }
  std::int32_t BorderMultiplier() override {
    Note(Query::BorderMultiplier, 0);
    return borderMultiplier;
  }
  bool SystemCaret(WindowId w, Rect& r) override {
    Note(Query::SystemCaret, w);
    return Answer(Find(w) ? Find(w)->systemCaret : std::nullopt, r);
  }
  bool AccessibleCaret(WindowId w, Rect& r) override {
    Note(Query::AccessibleCaret, w);
    return Answer(Find(w) ? Find(w)->accessibleCaret : std::nullopt, r);
  }
  // As MonitorFromRect (MONITOR_DEFAULTTONULL) finds the monitor: the one with the largest
  // area of intersection, none when r intersects no monitor
  // (learn.microsoft.com/windows/win32/api/winuser/nf-winuser-monitorfromrect).
  bool WorkAreaOf(const Rect& r, Rect& work) override {
    Note(Query::WorkAreaOf, 0);
    const FakeMonitor* m = MonitorOf(r);
    if (m) work = m->work;
    return m != nullptr;
  }
  // GetDpiForMonitor of MonitorFromRect with MONITOR_DEFAULTTONEAREST; the first monitor
  // stands for the nearest when r meets none.
  std::uint32_t MonitorDpi(const Rect& r) override {
    Note(Query::MonitorDpi, 0);
    const FakeMonitor* m = MonitorOf(r);
    return m ? m->dpi : monitors.empty() ? 0 : monitors.front().dpi;
  }

 private:
  const FakeMonitor* MonitorOf(const Rect& r) const {
    const FakeMonitor* found = nullptr;
    std::int64_t best = 0;
    for (const FakeMonitor& m : monitors) {
      const std::int64_t w = std::min(r.right, m.bounds.right) - std::max(r.left, m.bounds.left);
      const std::int64_t h = std::min(r.bottom, m.bounds.bottom) - std::max(r.top, m.bounds.top);
      if (w > 0 && h > 0 && w * h > best) {
        best = w * h;
        found = &m;
      }
    }
    return found;
  }
  static bool Answer(const std::optional<Rect>& caret, Rect& r) {
    if (caret) r = *caret;
    return caret.has_value();
  }
  const FakeWindow* Find(WindowId w) const {
    const auto it = windows.find(w);
    return it == windows.end() ? nullptr : &it->second;
  }
  void Note(Query q, WindowId w) {
    ++counts[static_cast<std::size_t>(q)];
    if (logQueries) queries.push_back({q, w});
  }
};

// The program's own windows as the tick asks about them.
class FakeProgramWindows final : public IProgramWindows {
 public:
  bool settingsWindowVisible = false;
  WindowId applicationWindow = 0;
  WindowId desktopWnd = 0;
  WindowId desktopFound = 0;  // what looking for the desktop window again finds
  int desktopLookups = 0;

  bool SettingsWindowOnScreen() override { return settingsWindowVisible; }
  WindowId ApplicationWindow() override { return applicationWindow; }
  WindowId DesktopWnd() override { return desktopWnd; }
  WindowId RefindDesktopWnd() override {
    ++desktopLookups;
    return desktopWnd = desktopFound;
  }
};

// What a run of the tick wants, as the tests spell it: where the indicator stands (nothing
// while hidden), the input mode, the LED (nothing: left as it is) and the one-shots. Without
// a look (the settings window on screen) only the one-shots count.
struct Wanted {
  bool looked = true;
  std::optional<Point> indicator{};
  InputMode mode = InputMode::Hiragana;
  std::optional<bool> led{};
  bool countHint = true;
  std::optional<bool> sound{};
  bool triggerHint = false;
  bool hideHint = false;
  bool closeIndicator = false;
  friend bool operator==(const Wanted&, const Wanted&) = default;
};

inline Wanted Summary(const WantedCues& w) {
  const CueEvents& e = w.events;
  Wanted s{.looked = w.looked,
           .countHint = e.countHint,
           .sound = e.sound,
           .triggerHint = e.triggerHint,
           .hideHint = e.hideHint,
           .closeIndicator = e.closeIndicator};
  if (!w.looked) return s;
  if (w.state.indicator) s.indicator = w.state.anchor;
  s.mode = w.state.mode;
  s.led = w.state.led;
  return s;
}

inline void PrintTo(const Wanted& w, std::ostream* os) {
  auto flag = [](const std::optional<bool>& b) { return b ? (*b ? "on" : "off") : "-"; };
  *os << (w.looked ? "" : "no look ") << "indicator "
      << (w.indicator ? std::to_string(w.indicator->x) + "," + std::to_string(w.indicator->y) : "-")
      << " mode " << static_cast<int>(w.mode) << " led " << flag(w.led) << " sound " << flag(w.sound)
      << (w.countHint ? " countHint" : "") << (w.triggerHint ? " triggerHint" : "")
      << (w.hideHint ? " hideHint" : "") << (w.closeIndicator ? " close" : "");
}

}  // namespace ruvano::fakes
