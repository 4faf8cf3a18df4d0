#include "zeq/win32/probes_win32.h"

#include <dwmapi.h>
#include <shellscalingapi.h>

#include <cwchar>

#include "zeq/probes.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

std::wstring ReadPathText(const std::function<DWORD(wchar_t*, DWORD)>& call) {
  for (DWORD size : {kPathChars, kLongPathChars}) {
    std::wstring buf(size + 1, L'\0');
    ::SetLastError(ERROR_SUCCESS);
    const DWORD n = call(buf.data(), size);
    if (n == 0) {
      if (::GetLastError() == ERROR_INSUFFICIENT_BUFFER) continue;
      return {};
    }
    if (n < size - 1 || size == kLongPathChars) {
      buf.resize(::wcsnlen(buf.c_str(), size));
      return buf;
    }
  }
  return {};
}

namespace {

// The path as QueryFullProcessImageNameW gives it, with its drive letter; empty on failure.
std::wstring QueryImagePath(HANDLE process) {
  return ReadPathText([&](wchar_t* buf, DWORD size) {
    DWORD n = size;
    return ::QueryFullProcessImageNameW(process, 0, buf, &n) ? n : 0;
  });
}

// The drive table as GetLogicalDrives and QueryDosDeviceW give it.
class Win32DosDevices : public IDosDevices {
 public:
  std::uint32_t LogicalDrives() override { return ::GetLogicalDrives(); }
  Text FirstDeviceName(char16_t letter) override {
    const wchar_t drive[3] = {static_cast<wchar_t>(letter), L':', L'\0'};
    wchar_t buf[260] = {};
    if (::QueryDosDeviceW(drive, buf, 260) == 0) return {};
    buf[259] = L'\0';
    return ToText(buf);  // the first of the NUL-separated names
  }
};

class Win32WindowEnumerator : public IWindowEnumerator {
 public:
  void EnumTopLevelWindows(const std::function<bool(WindowId)>& visit) override {
    ::EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
          const auto& v = *reinterpret_cast<const std::function<bool(WindowId)>*>(lp);
          return v(FromHwnd(w)) ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&visit));
  }
  Text ClassName(WindowId w) override { return ToText(WindowClassName(ToHwnd(w)).view()); }
  WindowId FindChildOfClass(WindowId parent, const Text& className) override {
    return FromHwnd(::FindWindowExW(ToHwnd(parent), nullptr, WidePtr(className), nullptr));
  }
};

}  // namespace

HWND GetFocusedWindow() noexcept {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);  // 72 in a 64-bit process; a 32-bit size makes the call fail
  ::GetGUIThreadInfo(0, &info);
  return info.hwndFocus;
}

bool GetValidWindowRect(HWND w, RECT& r) noexcept {
  if (!::GetWindowRect(w, &r)) return false;
  return !IsParkedPosition(r.left, r.top);
}

WindowClassName::WindowClassName(HWND w) noexcept {
  const int n = ::GetClassNameW(w, buf_, 260);
  length_ = n > 0 ? static_cast<std::size_t>(n) : 0;
}

HWND GetRootWindow(HWND w) noexcept {
  // The system keeps owner chains free of cycles; the bound only guards against a chain
  // changing under our feet while it is walked.
  for (int depth = 0; depth < 4096; ++depth) {
    HWND parent = ::GetParent(w);
    if (!parent) break;
    w = parent;
  }
  return w;
}

std::wstring ProcessPathReader::ModulePath(HANDLE process) {
  // GetModuleFileNameExW moved from PSAPI.dll into KERNEL32.dll (as K32GetModuleFileNameExW)
  // with Windows 7; older systems have only the first.
  GetModuleFileNameExFn fn = kernelModuleFileName_.get();
  if (!fn) fn = psapiModuleFileName_.get();
  if (!fn) return {};
  return ReadPathText([&](wchar_t* buf, DWORD size) { return fn(process, nullptr, buf, size); });
}

std::wstring ProcessPathReader::ImagePathWithDriveLetter(HANDLE process) {
  GetProcessImageFileNameFn fn = processImageFileName_.get();
  if (!fn) return {};
  const std::wstring device = ReadPathText([&](wchar_t* buf, DWORD size) { return fn(process, buf, size); });
  if (device.empty()) return {};
  Win32DosDevices drives;
  return ToWide(DevicePathToDrivePath(ToText(device), drives));
}

std::wstring ProcessPathReader::WindowProcessPath(HWND w) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (pid == 0) return {};
  // Limited query rights are granted for elevated programs too, and one call gives the path
  // with its drive letter.
  {
    UniqueHandle limited(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (limited) {
      std::wstring path = QueryImagePath(limited.get());
      if (!path.empty()) return path;
    }
  }
  // Systems or processes where that does not work: the module path, then the device path.
  UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
  if (!process) return {};
  std::wstring path = ModulePath(process.get());
  if (path.empty()) path = ImagePathWithDriveLetter(process.get());
  return path;
}

WindowId DesktopWindowFinder::Find() {
  Win32WindowEnumerator windows;
  return FindDesktopWindow(windows, found_);
}

OsVersion ReadOsVersion() noexcept {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof(v);
#if defined(_MSC_VER)
#pragma warning(suppress : 4996)  // GetVersionExW is deprecated, but it is what tells 10 from 11
#endif
  if (!::GetVersionExW(&v)) return {};
  return {v.dwMajorVersion, v.dwMinorVersion, v.dwBuildNumber, v.dwPlatformId};
}

bool IsWin8OrLater() noexcept { return IsWin8OrLater(ReadOsVersion()); }
bool IsWin11() noexcept { return IsWin11(ReadOsVersion()); }

UINT MonitorDpi(HMONITOR monitor) noexcept {
  static LazyProc<decltype(&::GetDpiForMonitor)> getDpiForMonitor{L"shcore.dll", "GetDpiForMonitor"};
  UINT x = 0, y = 0;
  if (!monitor || !getDpiForMonitor || getDpiForMonitor.get()(monitor, MDT_EFFECTIVE_DPI, &x, &y) != S_OK)
    return 0;
  return x;
}

UINT MonitorDpi(const RECT& r) noexcept {
  return MonitorDpi(::MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST));
}

UINT WindowDpi(HWND wnd) noexcept {
  static LazyProc<UINT(WINAPI*)(HWND)> getDpiForWindow{L"user32.dll", "GetDpiForWindow"};
  return wnd && getDpiForWindow ? getDpiForWindow.get()(wnd) : 0;
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& m, UINT dpi) noexcept {
  static LazyProc<decltype(&::SystemParametersInfoForDpi)> forDpi{L"user32.dll",
                                                                  "SystemParametersInfoForDpi"};
  m = NONCLIENTMETRICSW{};
  m.cbSize = sizeof(m);
  if (dpi != 0 && forDpi) return forDpi.get()(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0, dpi) != FALSE;
  return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(m), &m, 0) != FALSE;
}

HRESULT DwmWindowAttribute(HWND wnd, DWORD attribute, void* value, DWORD size) noexcept {
  static LazyProc<decltype(&::DwmGetWindowAttribute)> get{L"dwmapi.dll", "DwmGetWindowAttribute"};
  return get ? get.get()(wnd, attribute, value, size) : E_NOTIMPL;
}

bool IsCloaked(HWND wnd) noexcept {
  DWORD cloaked = 0;
  return SUCCEEDED(DwmWindowAttribute(wnd, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) && cloaked != 0;
}

}  // namespace ruvano
