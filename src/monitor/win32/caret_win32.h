// Where the text caret of another program's window is, in physical screen pixels: the system
// caret that the window manager keeps for each thread, and the caret object that browsers,
// Electron programs and Office give through Active Accessibility. Nothing is injected into the
// other program; both questions are answered by the system or by the program's own thread.
#pragma once

#include <windows.h>

namespace ruvano {

// How long the program in front may take to answer for its caret object. The caret is asked
// for several times a second on the GUI thread, so a program that is slow to answer is dropped
// rather than waited for.
constexpr UINT kCaretQueryTimeoutMs = 30;

// The system caret of w's thread (GetGUIThreadInfo), mapped from the caret window's client
// coordinates to the screen; false when the thread shows none. The caret is asked for many
// times a second and mostly stands still: while w, the caret window and its rectangle stay
// the same, the last mapping is used again until Forget (at each tick, which sees a window
// that moved).
class SystemCaret {
 public:
  bool Read(HWND w, RECT& r) noexcept;
  // The focused control of w's thread as the last Read for w saw it; null when it saw none.
  HWND FocusSeenFor(HWND w) const noexcept { return w == window_ ? focus_ : nullptr; }
  void Forget() noexcept {
    thread_ = 0;
    mapped_ = false;
  }

 private:
  HWND window_ = nullptr;
  HWND focus_ = nullptr;
  DWORD thread_ = 0;
  bool mapped_ = false;
  HWND caretWindow_ = nullptr;
  RECT client_{};
  RECT screen_{};
};

// The caret object of the focused control of w's thread: asked with WM_GETOBJECT under
// kCaretQueryTimeoutMs, made from the answer only when the control gave one of its own, and
// placed with IAccessible::accLocation. A control that does not answer in time, or whose
// object takes longer than that to give its place, is not asked again while it keeps the
// focus. Refuses a question asked while one runs (the accessible call lets other messages
// in). Starts COM on the calling thread at the first question and ends it with the object.
class AccessibleCaret {
 public:
  AccessibleCaret() noexcept = default;
  ~AccessibleCaret();
  AccessibleCaret(const AccessibleCaret&) = delete;
  AccessibleCaret& operator=(const AccessibleCaret&) = delete;

  // focus: the focused control when the caller knows it already; null to ask w's thread.
  bool Read(HWND w, HWND focus, RECT& r) noexcept;

 private:
  bool StartCom() noexcept;

  HWND silent_ = nullptr;  // the focus that last did not answer in time
  bool asking_ = false;
  bool comTried_ = false;
  bool comStarted_ = false;
};

}  // namespace ruvano
