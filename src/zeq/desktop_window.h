// Finding the desktop window: the first top-level window of class "Progman" or "WorkerW"
// that has a direct child of class "SHELLDLL_DefView" (the shell's icon view). Portable: the
// windows are read through IWindowEnumerator; the Windows side answers it with EnumWindows,
// GetClassNameW and FindWindowExW.
#pragma once

#include <functional>

#include "zeq/types.h"

namespace ruvano {

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

}  // namespace ruvano
