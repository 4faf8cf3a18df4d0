// The window probes of the utility unit: what the monitor learns about the foreground window,
// its focus, its rectangle, its owner chain, its process, its scale and the desktop window
// manager's view of it, and which system it runs on. Every probe answers with a neutral value
// (0, false, an empty text) instead of failing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "zeq/probes.h"
#include "zeq/types.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

// The window with the keyboard focus in the foreground thread; 0 when it has none or when
// the query fails.
HWND GetFocusedWindow() noexcept;

// The window rectangle of w. False when the query fails or when the window is parked at
// (-32000, -32000), where the system keeps minimised windows; r is written either way.
bool GetValidWindowRect(HWND w, RECT& r) noexcept;

// The class name of w, at most 259 characters; empty when the query fails. Read into a
// buffer of its own, so that it never allocates (window enumeration callbacks use it).
class WindowClassName {
 public:
  explicit WindowClassName(HWND w) noexcept;
  std::wstring_view view() const noexcept { return {buf_, length_}; }

 private:
  wchar_t buf_[260] = {};  // cleared, so a failed call leaves an empty name
  std::size_t length_ = 0;
};

// The top of w's parent/owner chain: w itself when it has neither parent nor owner.
HWND GetRootWindow(HWND w) noexcept;

// Reads the image paths of processes. The two Psapi functions it may need are bound at
// their first use and kept by the reader, their libraries loaded for the rest of the
// process: the tick may need them four times a second.
class ProcessPathReader {
 public:
  // The full image path, with a drive letter, of the process that owns w; empty when it
  // cannot be had. Asks QueryFullProcessImageNameW with limited query rights first, then
  // falls back to the two ways below.
  std::wstring WindowProcessPath(HWND w);

  // The two fallback ways WindowProcessPath reads a process's path, for a handle opened with
  // PROCESS_QUERY_INFORMATION | PROCESS_VM_READ; each gives an empty text on failure.
  // ModulePath asks GetModuleFileNameExW (of KERNEL32.dll from Windows 7 on, of PSAPI.dll
  // before); ImagePathWithDriveLetter asks GetProcessImageFileNameW of the system's Psapi.dll
  // and replaces the volume's device name with its drive letter.
  std::wstring ModulePath(HANDLE process);
  std::wstring ImagePathWithDriveLetter(HANDLE process);

 private:
  using GetModuleFileNameExFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);
  using GetProcessImageFileNameFn = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);
  LazyProc<GetModuleFileNameExFn> kernelModuleFileName_{L"kernel32.dll", "K32GetModuleFileNameExW"};
  LazyProc<GetModuleFileNameExFn> psapiModuleFileName_{L"psapi.dll", "GetModuleFileNameExW"};
  LazyProc<GetProcessImageFileNameFn> processImageFileName_{L"psapi.dll", "GetProcessImageFileNameW"};
};

// Path buffers: MAX_PATH first, as almost every image path fits. A path call that fills that
// buffer (it may have cut the path short) or that fails for want of room is repeated with a
// buffer for the longest path the system allows.
constexpr DWORD kPathChars = 260;
constexpr DWORD kLongPathChars = 32768;

// Reads a path through call(buffer, size), which copies at most size characters with the
// terminator and returns the length copied, or 0 on failure. Empty on failure.
std::wstring ReadPathText(const std::function<DWORD(wchar_t*, DWORD)>& call);

// The desktop window, found when the monitor starts and again when it
// sees that the shell made a new one.
class DesktopWindowFinder {
 public:
  // The window found last; 0 before the first search and when none was found.
  WindowId Current() const noexcept { return found_; }
  // Finds the first top-level window of class "Progman" or "WorkerW" with a direct child of
  // class "SHELLDLL_DefView", keeps it as Current and returns it (0 when there is none).
  WindowId Find();

 private:
  WindowId found_ = 0;
};

// The system's version as GetVersionExW reports it (the true one, since the program's
// manifest declares every supported system). ReadOsVersion is the program's one reading of
// it; everything that asks about the version asks through it.

// All 0 when the call fails.
OsVersion ReadOsVersion() noexcept;
// Windows 8 (6.2) or any later version.
bool IsWin8OrLater() noexcept;
bool IsWin11() noexcept;

// The scale of one monitor. The program is aware of each monitor's DPI, while the plain
// system metrics stay at the scale of the primary monitor at sign-in: text and borders for a
// window on another monitor, or after the scale changed, are read for that monitor's DPI.

// The effective DPI of a monitor; 0 where the system cannot tell (before Windows 8.1).
UINT MonitorDpi(HMONITOR monitor) noexcept;
// The same for the monitor that r overlaps most, or the nearest one.
UINT MonitorDpi(const RECT& r) noexcept;

// The DPI of a window (GetDpiForWindow, Windows 10 1607 and later); 0 where the system cannot
// tell.
UINT WindowDpi(HWND wnd) noexcept;

// The non-client metrics (fonts, border widths) at a DPI, on Windows 10 1607 and later; at
// the system DPI elsewhere, or when dpi is 0. False when the call fails (m is then zeroed
// apart from cbSize).
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& m, UINT dpi) noexcept;

// The desktop window manager's view of a window (dwmapi is bound at run time: it is not one
// of the system's known DLLs).

// DwmGetWindowAttribute; E_NOTIMPL where the system has no such call.
HRESULT DwmWindowAttribute(HWND wnd, DWORD attribute, void* value, DWORD size) noexcept;

// A window that the desktop window manager hides while it stays visible: one left open on
// another virtual desktop. A failed query (no DWM, as under Wine) reads as not cloaked.
bool IsCloaked(HWND wnd) noexcept;

}  // namespace ruvano
