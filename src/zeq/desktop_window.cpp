#include "zeq/desktop_window.h"

namespace ruvano {

WindowId FindDesktopWindow(IWindowEnumerator& windows, WindowId& desktopWnd) {
  // Cleared up front as well as for every window visited, so that the answer is 0 when no
  // window matched, even when the enumeration reports no window at all.
  desktopWnd = 0;
  windows.EnumTopLevelWindows([&](WindowId w) {
    desktopWnd = 0;
    const Text cls = windows.ClassName(w);
    if (cls != u"Progman" && cls != u"WorkerW") return true;
    if (windows.FindChildOfClass(w, u"SHELLDLL_DefView") == 0) return true;
    desktopWnd = w;
    return false;
  });
  return desktopWnd;
}

}  // namespace ruvano
