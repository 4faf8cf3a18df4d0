// The application window: a hidden top-level window captioned "RUVANO" that owns the
// program's other windows, so that none of them gets a taskbar button of its own. The
// monitor recognises the program's own windows by their owner chain ending here.
#pragma once

#include "zeq/win32/window.h"

namespace ruvano {

class AppWindow : public Window {
 public:
  static constexpr const wchar_t* kClassName = L"RuvanoApplication";
  static constexpr const wchar_t* kCaption = L"RUVANO";

  // Creates the window, hidden. False when the system refuses.
  bool Create() noexcept;

 protected:
  // Agrees to the end of the logon and, when it ends, ends the process at once.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
};

}  // namespace ruvano
