#include "zeq/probes.h"

namespace ruvano {

bool IsWin11(const OsVersion& v) noexcept {
  constexpr std::uint32_t kFirstWin11Build = 22000;
  return v.major == 10 && v.build >= kFirstWin11Build;
}

bool IsDesktopClass(const Text& cls) noexcept { return cls == u"Progman" || cls == u"WorkerW"; }

bool IsTaskbarClass(const Text& cls) noexcept {
  return cls == u"Shell_TrayWnd" || cls == u"Shell_SecondaryTrayWnd";
}

WindowId FindDesktopWindow(IWindowEnumerator& windows, WindowId& desktopWnd) {
  // Cleared up front as well as for every window visited, so that the answer is 0 when no
  // window matched, even when the enumeration reports no window at all.
  desktopWnd = 0;
  windows.EnumTopLevelWindows([&](WindowId w) {
    desktopWnd = 0;
    const Text cls = windows.ClassName(w);
    if (!IsDesktopClass(cls)) return true;
    if (windows.FindChildOfClass(w, u"SHELLDLL_DefView") == 0) return true;
    desktopWnd = w;
    return false;
  });
  return desktopWnd;
}

Text DevicePathToDrivePath(const Text& path, IDosDevices& devices) {
  const std::uint32_t mask = devices.LogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (std::uint32_t{1} << i)) == 0) continue;
    const char16_t letter = static_cast<char16_t>(u'A' + i);
    const Text device = devices.FirstDeviceName(letter);
    if (device.empty()) continue;
    // The device name must be followed by a separator: "\Device\HarddiskVolume1" must not
    // claim a path on "\Device\HarddiskVolume10".
    if (path.size() > device.size() && path.compare(0, device.size(), device) == 0 &&
        path[device.size()] == u'\\') {
      Text result;
      result.reserve(path.size() - device.size() + 2);
      result += letter;
      result += u':';
      result.append(path, device.size());
      return result;
    }
  }
  return path;
}

}  // namespace ruvano
