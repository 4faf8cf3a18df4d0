// The programs that the add buttons of the settings window's lists offer: each program with a
// window the user can switch to now, once, by its image name and a title to know it by.
// Portable: the windows come from the caller, their classes and programs from IDesktop.
#pragma once

#include <vector>

#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano {

// A top-level window as the enumeration of the desktop gives it.
struct TopWindow {
  WindowId id = 0;
  Text title;
  bool visible = false;     // WS_VISIBLE
  bool cloaked = false;     // kept off screen by the window manager (another virtual desktop)
  bool owned = false;       // it has an owner window
  bool toolWindow = false;  // WS_EX_TOOLWINDOW
  bool appWindow = false;   // WS_EX_APPWINDOW: a taskbar button even when owned or a tool window
  bool own = false;         // a window of this program's own process
};

struct AppChoice {
  Text imageName;
  Text title;
  bool listed = false;  // on the list already
};

// One choice per program that shows a window the taskbar would: visible, not cloaked, with a
// title, and unowned and no tool window unless it asks for a button. This program's windows
// and the shell's desktop and taskbars are left out, and so is a window whose program's name
// cannot be read or is the store apps' host (a frame whose app cannot be found, as when it
// is minimised). A program is named by the title of its first such window in the order
// given (the enumeration's: the top of the z-order first). Sorted by image name in any case
// of A to Z; `listed` tells the names already on the list.
std::vector<AppChoice> AppChoices(IDesktop& desktop, const std::vector<TopWindow>& windows, const Text& list);

// A menu item's text: the image name, a tab (the menu's second column) and the title, cut to
// kChoiceTitleLength characters with "…" and with tabs and line breaks made blanks. Every "&"
// is doubled, so that none becomes an access key.
inline constexpr std::size_t kChoiceTitleLength = 40;
Text AppChoiceLabel(const AppChoice& choice);

}  // namespace ruvano
