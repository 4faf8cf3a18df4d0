// Whether the IME of a window (usually the focused control of the foreground window) is open.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "monitor/desktop.h"

// The IME window's requests of WM_IME_CONTROL (imm.h), for headers that lack them.
#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#endif
#ifndef IMC_SETOPENSTATUS
#define IMC_SETOPENSTATUS 0x0006
#endif
#ifndef IMC_GETCONVERSIONMODE
#define IMC_GETCONVERSIONMODE 0x0001
#endif

namespace ruvano {

// How long the probe waits for the IME window's thread to answer. The monitor asks on the GUI
// thread, at every tick and at the watch's looks, so a hung application in front must not
// hold it for longer than a fraction of the tick's period; the looks skip a window that gave
// no answer until the next tick.
constexpr UINT kImeQueryTimeoutMs = 100;

// The IME window that answers for w: its default IME window, or, when the system gives none
// (as Wine does for a window of another process), the window of class "IME" that belongs to
// w's thread. nullptr when there is neither.
HWND FindImeWindowFor(HWND w) noexcept;

// Asks a window's IME window for its open status (WM_IME_CONTROL / IMC_GETOPENSTATUS) and its
// conversion mode (IMC_GETCONVERSIONMODE).
class ImeProbe {
 public:
  // Waits at most kImeQueryTimeoutMs, and while it waits the calling thread handles no
  // message sent to it by another thread, so none of the program's handlers runs inside the
  // caller. Closed when w is 0 (the system would answer for the caller's own IME window) or
  // has no IME window; NoAnswer when its thread does not answer in time or is hung; Refused
  // when the system blocks the message to a program with higher rights. The IME
  // window found by walking a thread's windows is kept for that window and looked for again
  // only when it is gone.
  ImeStatus Ask(HWND w) noexcept;
  bool IsOpen(HWND w) noexcept { return Ask(w) == ImeStatus::Open; }
  // The conversion mode bits, asked under the same bound and rules; nothing when w is 0,
  // has no IME window or does not answer in time.
  std::optional<std::uint32_t> ConversionMode(HWND w) noexcept;
  // Opens or closes the IME of w (IMC_SETOPENSTATUS), sent under the same bound and rules;
  // false when w is 0, has no IME window or takes no answer in time.
  bool SetOpen(HWND w, bool open) noexcept;

 private:
  enum class Reply { Answered, Gone, Silent, Refused };
  // Sends one WM_IME_CONTROL request to w's IME window; Gone also when there is none.
  Reply Query(HWND w, WPARAM request, DWORD_PTR& answer, LPARAM value = 0) noexcept;
  static Reply Send(HWND ime, WPARAM request, DWORD_PTR& answer, LPARAM value) noexcept;

  // The walk over a thread's windows asks the class of each of them and costs several times
  // the rest of the probe, while its answer stays the same as long as the user types in one
  // control: the window it found for the last focus window is kept.
  HWND rememberedFocus_ = nullptr;
  HWND rememberedIme_ = nullptr;
  // The window whose IME last gave no answer in time, and the last window whose program has
  // higher rights: each is reported once, not at every tick.
  HWND silentWindow_ = nullptr;
  HWND refusingWindow_ = nullptr;
};

}  // namespace ruvano
