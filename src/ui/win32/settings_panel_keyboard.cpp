// The keys a dialog would handle that the dialog manager leaves to the panel: the toolbar's
// access keys and the focus moves it asks for with WM_NEXTDLGCTL.
#include "ui/win32/settings_panel.h"

#include <commctrl.h>

#include "ui/settings_captions.h"
#include "ui/win32/settings_controls.h"

namespace ruvano {

bool SettingsPanel::TranslateAccessKey(const MSG& msg) {
  HWND toolBar = Control(Part::Toolbar);
  if (!parent_ || !toolBar || msg.message != WM_SYSCHAR) return false;
  if (msg.hwnd != parent_ && !::IsChild(parent_, msg.hwnd)) return false;
  wchar_t key = static_cast<wchar_t>(msg.wParam);
  if (key >= L'a' && key <= L'z') key = static_cast<wchar_t>(key - L'a' + L'A');
  for (const panel_controls::ToolButton& b : panel_controls::ToolButtons()) {
    if (b.id == 0 || captions::AccessKeyOf(b.caption) != static_cast<char16_t>(key)) continue;
    if (!::IsWindowEnabled(toolBar) ||
        !::SendMessageW(toolBar, TB_ISBUTTONENABLED, static_cast<WPARAM>(b.id), 0))
      return false;
    if (b.setting.get) {
      const bool down = ::SendMessageW(toolBar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(b.id), 0) != 0;
      CheckToolButton(b.id, !down);
    }
    OnToolBarCommand(b.id);
    return true;
  }
  return false;
}

// What a dialog does for WM_NEXTDLGCTL; the dialog manager sends it to move the focus to the
// control after a group box whose access key was pressed.
void SettingsPanel::MoveFocus(WPARAM wp, LPARAM lp) {
  HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                           : ::GetNextDlgTabItem(parent_, ::GetFocus(), wp != 0 ? TRUE : FALSE);
  if (!target || (target != parent_ && !::IsChild(parent_, target))) return;
  if (::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(target, EM_SETSEL, 0, -1);
  ::SetFocus(target);
}

}  // namespace ruvano
