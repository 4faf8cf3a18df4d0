// What the monitor tick and the anchor step ask of the window manager, the process table
// and the input-method system. The program's implementation talks to Win32
// (monitor/win32/desktop_win32.h); tests script a fake desktop.
#pragma once

#include <cstdint>
#include <optional>

#include "zeq/types.h"

namespace ruvano {

// What a window's IME window answers about its open status. NoAnswer: the application did
// not answer in time (busy or hung). Refused: the system blocked the question, because the
// window belongs to a program running with higher rights (as administrator).
enum class ImeStatus { Closed, Open, NoAnswer, Refused };

class IDesktop {
 public:
  virtual ~IDesktop() = default;

  // Window queries.
  virtual WindowId ForegroundWindow() = 0;
  virtual Text ClassName(WindowId w) = 0;  // at most 259 characters; empty on failure
  virtual bool IsWindowEnabled(WindowId w) = 0;
  virtual bool IsWindowVisible(WindowId w) = 0;
  virtual bool IsIconic(WindowId w) = 0;
  virtual bool IsWindow(WindowId w) = 0;

  // Probes.
  virtual bool IsWin11() = 0;
  virtual bool IsWin8OrLater() = 0;
  virtual Text GetWindowProcessPath(WindowId w) = 0;  // empty when it cannot be had
  virtual WindowId GetRootWindow(WindowId w) = 0;
  // The store app inside a frame of its host: the frame's child window of class
  // "Windows.UI.Core.CoreWindow" that another process owns; 0 when there is none.
  virtual WindowId HostedAppWindow(WindowId frame) = 0;
  virtual bool GetValidWindowRect(WindowId w, Rect& r) = 0;
  // The frame of w as the desktop window manager draws it, in physical pixels: on Windows 10
  // and 11 the window rectangle without its invisible resize borders. False, r untouched,
  // where the system gives none.
  virtual bool VisibleFrame(WindowId w, Rect& r) = 0;
  virtual WindowId GetFocusedWindow() = 0;
  // The IME open status of w. As on Windows, w = 0 asks about the IME window of the calling
  // thread (the program's own), so the tick never asks about 0.
  virtual ImeStatus ImeOpenStatus(WindowId w) = 0;
  // The conversion mode (IME_CMODE_* bits) of w's IME, asked the same way and under the same
  // bound as the open status; nothing when it gives no answer. The tick asks only about a
  // window whose IME it has just found open.
  virtual std::optional<std::uint32_t> ImeConversionMode(WindowId w) = 0;
  // Opens or closes the IME of w, asked the same way and under the same bound as the open
  // status; false when it took no answer.
  virtual bool SetImeOpenStatus(WindowId w, bool open) = 0;

  // Border metrics, read anew at every call; 0 when the system call fails.
  // iBorderWidth at the scale of the monitor that holds most of r (where the indicator goes).
  virtual std::int32_t NonClientBorderWidth(const Rect& r) = 0;
  virtual std::int32_t BorderMultiplier() = 0;  // SPI_GETBORDER

  // The text caret of w (the window in front), in physical screen pixels; false where the
  // source knows none. The system caret of w's thread, as the window manager keeps it:
  virtual bool SystemCaret(WindowId w, Rect& r) = 0;
  // the caret object that w's focused control gives through Active Accessibility: its latest
  // answer, asked for off the caller's thread and never waited for (false until one came).
  virtual bool AccessibleCaret(WindowId w, Rect& r) = 0;
  // The work area of the monitor that r overlaps most; false when r lies on no monitor.
  virtual bool WorkAreaOf(const Rect& r, Rect& work) = 0;
  // The effective DPI of the monitor that r overlaps most (or the nearest one); 0 where the
  // system cannot tell (before Windows 8.1).
  virtual std::uint32_t MonitorDpi(const Rect& r) = 0;
};

}  // namespace ruvano
