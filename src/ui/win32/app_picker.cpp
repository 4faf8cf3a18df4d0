#include "ui/win32/app_picker.h"

#include "monitor/win32/desktop_win32.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM param) noexcept {
  try {
    TopWindow w;
    w.id = FromHwnd(wnd);
    w.visible = ::IsWindowVisible(wnd) != FALSE;
    if (w.visible) {
      // The caption the system keeps: no message goes to the other program, which may hang.
      std::wstring title(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
      title.resize(
          static_cast<std::size_t>(::GetWindowTextW(wnd, title.data(), static_cast<int>(title.size()))));
      w.title = ToText(title);
      w.cloaked = IsCloaked(wnd);
      w.owned = ::GetWindow(wnd, GW_OWNER) != nullptr;
      const LONG_PTR exStyle = ::GetWindowLongPtrW(wnd, GWL_EXSTYLE);
      w.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
      w.appWindow = (exStyle & WS_EX_APPWINDOW) != 0;
      DWORD pid = 0;
      ::GetWindowThreadProcessId(wnd, &pid);
      w.own = pid == ::GetCurrentProcessId();
    }
    reinterpret_cast<std::vector<TopWindow>*>(param)->push_back(std::move(w));
    return TRUE;
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

std::vector<TopWindow> ReadTopWindows() {
  std::vector<TopWindow> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<AppChoice> OfferedApps(const Text& list) {
  Win32Desktop desktop;
  return AppChoices(desktop, ReadTopWindows(), list);
}

Text PickApp(HWND button, const Text& list, const std::wstring& emptyText) {
  const std::vector<AppChoice> choices = OfferedApps(list);
  const UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return Text();
  for (std::size_t i = 0; i < choices.size(); ++i)
    ::AppendMenuW(menu.get(), MF_STRING | (choices[i].listed ? MF_CHECKED : MF_UNCHECKED), i + 1,
                  ToWide(AppChoiceLabel(choices[i])).c_str());
  if (choices.empty()) ::AppendMenuW(menu.get(), MF_STRING | MF_GRAYED, 0, emptyText.c_str());
  // The menu leaves the button in sight: below it, or above it where the screen ends.
  TPMPARAMS around{};
  around.cbSize = sizeof(around);
  ::GetWindowRect(button, &around.rcExclude);
  const BOOL chosen = ::TrackPopupMenuEx(
      menu.get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL,
      around.rcExclude.left, around.rcExclude.bottom, ::GetParent(button), &around);
  return chosen > 0 && static_cast<std::size_t>(chosen) <= choices.size() ? choices[chosen - 1].imageName
                                                                          : Text();
}

}  // namespace ruvano
