// Where the text caret of another program's window is, in physical screen pixels: the system
// caret that the window manager keeps for each thread, and the caret object that browsers,
// Electron programs and Office give through Active Accessibility. Nothing is injected into the
// other program; both questions are answered by the system or by the program's own thread.
#pragma once

#include <windows.h>

namespace ruvano {

// How long the caret thread waits for a program to give its caret object. Off the GUI thread
// the bound can be generous: a program that makes and marshals its object at the first request
// has time for it, and nothing else waits meanwhile.
constexpr UINT kCaretQueryTimeoutMs = 1000;

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

// The caret object of a focused control, asked on a thread of its own, in its own
// single-threaded apartment: WM_GETOBJECT under kCaretQueryTimeoutMs, ObjectFromLresult,
// IAccessible::accLocation and Release are calls into the other program that nothing else
// bounds, so none of them runs on the GUI thread and no message sent to the GUI thread runs
// inside one. Read never waits: it gives the latest answer for that control and, unless a
// question for it runs, asks again. Each answer is posted to the window given (message, no
// parameters), so the caller can look again at once. The thread is started at the first Read.
class AccessibleCaret {
 public:
  AccessibleCaret() noexcept = default;
  // Asks the thread to end and waits for it a short while (see the destructor).
  ~AccessibleCaret();
  AccessibleCaret(const AccessibleCaret&) = delete;
  AccessibleCaret& operator=(const AccessibleCaret&) = delete;

  // Before the first Read.
  void PostAnswersTo(HWND window, UINT message) noexcept {
    notify_ = window;
    message_ = message;
  }
  // focus: the focused control when the caller knows it already; null to ask w's thread.
  // False while no answer for that control has come, or its last answer gave no caret.
  bool Read(HWND w, HWND focus, RECT& r) noexcept;
  // The process whose caret object the thread has waited for a while already; 0 when none.
  DWORD BusyProcess() const noexcept;

 private:
  struct Exchange;
  bool StartThread() noexcept;
  static DWORD WINAPI ThreadMain(void* exchange) noexcept;

  Exchange* exchange_ = nullptr;  // shared with the thread; see the destructor
  HANDLE thread_ = nullptr;
  bool startTried_ = false;
  HWND notify_ = nullptr;
  UINT message_ = 0;
};

}  // namespace ruvano
