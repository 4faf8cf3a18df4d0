// Whether the IME of a window (usually the focused control of the foreground window) is open.
#pragma once

#include <windows.h>

namespace ruvano {

// How long the probe waits for the IME window's thread to answer. The monitor asks once per
// 250 ms tick on the GUI thread, so a hung application in front must not hold it for longer
// than a fraction of that.
constexpr UINT kImeQueryTimeoutMs = 100;

// The IME window that answers for w: its default IME window, or, when the system gives none
// (as Wine does for a window of another process), the window of class "IME" that belongs to
// w's thread. nullptr when there is neither.
HWND FindImeWindowFor(HWND w) noexcept;

// Asks w's IME window for its open status (WM_IME_CONTROL / IMC_GETOPENSTATUS), waiting at
// most kImeQueryTimeoutMs. False when there is no IME window. When its thread does not answer
// in time or is hung, the IME window that gave the last answer keeps that answer (a busy
// application cannot switch its input method, and the monitor must not signal OFF and ON
// again around every pause of it); any other silent window counts as closed. The IME window
// found by walking a thread's windows is remembered for that focus window and looked for
// again only when it is gone.
bool IsImeOpen(HWND w) noexcept;

}  // namespace ruvano
