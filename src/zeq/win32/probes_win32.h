// The window probes of the utility unit: what the monitor learns about the foreground window,
// its focus, its rectangle, its owner chain and its process, and which system it runs on.
// Every probe answers with a neutral value (0, false, an empty text) instead of failing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "zeq/types.h"
#include "zeq/win32/os_version_win32.h"
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

}  // namespace ruvano
