// The window manager side of work-area placement, and the calls the program makes.
#pragma once

#include <windows.h>

#include "zeq/placement.h"

namespace ruvano {

class Win32PlacementHost final : public IPlacementHost {
 public:
  bool GetValidWindowRect(WindowId w, Rect& r) override;
  bool IsZoomed(WindowId w) override;
  Rect PrimaryWorkArea() override;
  bool QueryTaskbar(TaskbarInfo& info) override;
  bool IsPointOnMonitor(Point p) override;
  void MoveWindowTo(WindowId w, const Bounds& b) override;
};

// Centres wnd on the primary monitor when it lies off every monitor; a maximised window is
// left alone. The settings window calls this once after its saved position is applied.
void EnsureWindowOnScreen(HWND wnd);

}  // namespace ruvano
