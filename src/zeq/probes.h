// The portable side of the probes of zeq/win32/probes_win32.h: the system's version numbers,
// finding the desktop window and turning device paths into drive paths. The Windows side
// reads the system; what is decided from its answers is here.
#pragma once

#include <cstdint>
#include <functional>

#include "zeq/types.h"

namespace ruvano {

// The operating system's version numbers, as GetVersionExW reports them, and the questions
// the program asks of them. Portable: the Windows side reads the numbers (ReadOsVersion).

struct OsVersion {
  static constexpr std::uint32_t kPlatformNt = 2;  // VER_PLATFORM_WIN32_NT

  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;  // kPlatformNt on every system that runs a 64-bit program

  // True for version wantMajor.wantMinor or any later one; a later major version counts
  // whatever its minor number.
  constexpr bool AtLeast(std::uint32_t wantMajor, std::uint32_t wantMinor) const noexcept {
    return major > wantMajor || (major == wantMajor && minor >= wantMinor);
  }
};

// Windows 8 (6.2) or any later version.
constexpr bool IsWin8OrLater(const OsVersion& v) noexcept { return v.AtLeast(6, 2); }

// Windows 11: the version number stays 10.0; the build number tells it from Windows 10.
bool IsWin11(const OsVersion& v) noexcept;

// The shell's desktop windows ("Progman", "WorkerW") and its taskbars ("Shell_TrayWnd" on the
// primary monitor, "Shell_SecondaryTrayWnd" on each other one), by class name.
bool IsDesktopClass(const Text& cls) noexcept;
bool IsTaskbarClass(const Text& cls) noexcept;

// Finding the desktop window: the first top-level window of class "Progman" or "WorkerW"
// that has a direct child of class "SHELLDLL_DefView" (the shell's icon view). Portable: the
// windows are read through IWindowEnumerator; the Windows side answers it with EnumWindows,
// GetClassNameW and FindWindowExW.

class IWindowEnumerator {
 public:
  virtual ~IWindowEnumerator() = default;
  // Calls visit for each top-level window in the order the system reports them, until visit
  // returns false.
  virtual void EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) = 0;
  // The class name of w (at most 259 characters); empty on failure.
  virtual Text ClassName(WindowId w) = 0;
  // The first direct child of parent with the given class, or 0.
  virtual WindowId FindChildOfClass(WindowId parent, const Text& className) = 0;
};

// Enumerates the top-level windows and stores in desktopWnd the first one that is the
// desktop window, or 0 when none is. Returns desktopWnd.
WindowId FindDesktopWindow(IWindowEnumerator& windows, WindowId& desktopWnd);

// Turning a kernel device path ("\Device\HarddiskVolume3\Windows\notepad.exe") into a path
// with a drive letter ("C:\Windows\notepad.exe"). Portable: the drive table is read through
// IDosDevices, which the Windows side answers with GetLogicalDrives and QueryDosDeviceW.

class IDosDevices {
 public:
  virtual ~IDosDevices() = default;
  // Bit mask of the existing drive letters, bit 0 for A; 0 on failure.
  virtual std::uint32_t LogicalDrives() = 0;
  // The first device name that the drive letter ('A'..'Z') maps to, e.g.
  // "\Device\HarddiskVolume3"; empty when the letter cannot be resolved.
  virtual Text FirstDeviceName(char16_t letter) = 0;
};

// Replaces the leading device name of path with its drive letter and a colon. The letters
// are tried from A to Z, skipping those not in the mask and those without a device name; the
// first whose device name, followed by "\", begins the path (exact comparison, letter case
// included) wins. The "\" and everything after it are kept. A path that no letter matches
// (a volume without a drive letter) comes back unchanged.
Text DevicePathToDrivePath(const Text& path, IDosDevices& devices);

}  // namespace ruvano
