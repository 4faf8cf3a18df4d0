// The programs on offer to the add buttons of the settings window's lists, read from the
// desktop as it is, and the popup menu that lets the user choose one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/app_choices.h"

namespace ruvano {

// The top-level windows in z-order, the top first.
std::vector<TopWindow> ReadTopWindows();

// The programs on offer now, as AppChoices makes them of the desktop's windows.
std::vector<AppChoice> OfferedApps(const Text& list);

// Opens the offer as a popup menu below the button (or above it, where the screen ends), a
// tick at each program on the list already, and waits for the user: the image name chosen, or
// nothing. emptyText is the menu's one greyed item when nothing is on offer.
Text PickApp(HWND button, const Text& list, const std::wstring& emptyText);

}  // namespace ruvano
