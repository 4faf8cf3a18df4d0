// Keeping the controls and Settings in step: a click or an edit assigns the field, a changed
// field shows in its control and carries out its reaction.
#include "ui/win32/settings_panel.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "monitor/excluded_apps.h"
#include "ui/settings_captions.h"
#include "ui/win32/settings_controls.h"
#include "zeq/win32/hwnd.h"

namespace ruvano {

namespace {

using panel_controls::Controls;
using panel_controls::Description;
using panel_controls::Kind;
using panel_controls::ToolButton;
using panel_controls::ToolButtons;

void SetText(HWND wnd, const std::wstring& text) { ::SetWindowTextW(wnd, text.c_str()); }

std::wstring GetText(HWND wnd) {
  const int length = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = ::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

// Sets the text only when it differs, so that an unchanged caption does not flicker.
void ShowText(HWND wnd, const std::wstring& text) {
  if (wnd && GetText(wnd) != text) SetText(wnd, text);
}

bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetStyleBit(HWND wnd, LONG bit, bool on) {
  const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
  const LONG wanted = on ? (style | bit) : (style & ~bit);
  if (wanted != style) ::SetWindowLongW(wnd, GWL_STYLE, wanted);
}

}  // namespace

void SettingsPanel::ApplyLoadedState() {
  if (!parent_) return;
  ShowIconCaption(settings_.Icon());
  EnableGroup(Part::SoundOffGroup, settings_.Off());
  EnableIconControls();
}

void SettingsPanel::OnToolBarCommand(int id) {
  if (updating_) return;
  if (id == kDiagnoseButton) return host_.OpenDiagnosis();
  if (id == kHideButton) return host_.HideSettingsWindow();
  if (id == kCloseButton) return host_.CloseSettingsWindow();
  for (const ToolButton& b : ToolButtons()) {
    if (b.id != id || !b.setting.set) continue;
    const bool down =
        ::SendMessageW(Control(Part::Toolbar), TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
    (settings_.*b.setting.set)(down);
    return;
  }
}

bool SettingsPanel::OnControlCommand(HWND control, int code) {
  const std::span<const Description> rows = Controls();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const Description& c = rows[row];
    if (c.kind != Kind::Edit || control != RowWindow(row)) continue;
    if (code == EN_CHANGE && !updating_) (settings_.*c.text.set)(ToText(GetText(control)));
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (updating_) return true;
  if (control == Control(Part::AddAppButton)) {
    settings_.SetExcludeApps(WithExcludedApp(settings_.ExcludeApps(), host_.ForegroundAppName()));
    return true;
  }
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const Description& c = rows[row];
    if (c.kind == Kind::CheckBox && control == RowWindow(row)) {
      if (c.check.set)
        (settings_.*c.check.set)(IsChecked(control));
      else if (c.part == Part::SignInCheck)
        ::SendMessageW(control, BM_SETCHECK,
                       host_.SetStartAtSignIn(IsChecked(control)) ? BST_CHECKED : BST_UNCHECKED, 0);
      return true;
    }
    if (c.kind != Kind::RadioGroup) continue;
    const std::span<const HWND> items = RowItems(row);
    const auto found = std::find(items.begin(), items.end(), control);
    if (found == items.end()) continue;
    // A radio button also reports a click when it merely gets the focus; only a checked one
    // is a choice, and only a new choice is a change.
    const auto index = static_cast<std::int32_t>(found - items.begin());
    if (!IsChecked(control) || (settings_.*c.choice.get)() == index) return true;
    (settings_.*c.choice.set)(index);
    // The user hears the sound just chosen, only while the window is visible.
    if (c.preview != panel_controls::Preview::None && ::IsWindowVisible(parent_))
      host_.PlayCue(c.preview == panel_controls::Preview::OnCue);
    return true;
  }
  return false;
}

void SettingsPanel::OnSettingChanged(SettingField field) {
  if (!parent_) return;
  const bool wasUpdating = updating_;
  updating_ = true;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{updating_, wasUpdating};

  ShowValue(field);
  switch (field) {
    case SettingField::Icon:
      ShowIconCaption(settings_.Icon());
      EnableIconControls();
      break;
    case SettingField::Hint:
      if (!settings_.Hint()) host_.HideHintNow();
      break;
    case SettingField::Off: EnableGroup(Part::SoundOffGroup, settings_.Off()); break;
    case SettingField::AlphaBlendValue:
      // The new figure shows even while the box is unticked; ApplyLoadedState matches the box again.
      ShowIconCaption(true);
      NarrowSelection();
      break;
    default: break;
  }
}

// The controls bound to the field show its value; the window's position is the host's.
void SettingsPanel::ShowValue(SettingField field) {
  const std::span<const Description> rows = Controls();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const Description& c = rows[row];
    if (c.kind == Kind::CheckBox && c.check.get && c.check.field == field)
      if (HWND box = RowWindow(row))
        ::SendMessageW(box, BM_SETCHECK, (settings_.*c.check.get)() ? BST_CHECKED : BST_UNCHECKED, 0);
    if (c.kind == Kind::RadioGroup && c.choice.field == field) SyncRadios(row, (settings_.*c.choice.get)());
    if (c.kind == Kind::Edit && c.text.field == field)
      ShowText(RowWindow(row), ToWide((settings_.*c.text.get)()));
  }
  for (const ToolButton& b : ToolButtons())
    if (b.setting.get && b.setting.field == field) CheckToolButton(b.id, (settings_.*b.setting.get)());

  if (field == SettingField::AlphaBlendValue) {
    HWND trackBar = Control(Part::OpacitySlider);
    if (trackBar && ::SendMessageW(trackBar, TBM_GETPOS, 0, 0) != settings_.AlphaBlendValue())
      ::SendMessageW(trackBar, TBM_SETPOS, TRUE, settings_.AlphaBlendValue());
  }
}

void SettingsPanel::ShowStartAtSignIn() {
  if (HWND box = Control(Part::SignInCheck))
    ::SendMessageW(box, BM_SETCHECK, host_.StartsAtSignIn() ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SettingsPanel::ShowIconCaption(bool withOpacity) {
  ShowText(Control(Part::IconCheck), ToWide(captions::IconCaption(withOpacity, settings_.AlphaBlendValue())));
}

void SettingsPanel::NarrowSelection() {
  if (HWND trackBar = Control(Part::OpacitySlider)) {
    ::SendMessageW(trackBar, TBM_SETSELSTART, FALSE, Settings::kMinAlpha);
    ::SendMessageW(trackBar, TBM_SETSELEND, TRUE, settings_.AlphaBlendValue());
  }
}

// The position group, the caret check box and the track bar serve the indicator: usable
// only while it is on.
void SettingsPanel::EnableIconControls() {
  EnableGroup(Part::PositionGroup, settings_.Icon());
  if (HWND nearCaret = Control(Part::NearCaretCheck)) ::EnableWindow(nearCaret, settings_.Icon());
  if (HWND trackBar = Control(Part::OpacitySlider)) ::EnableWindow(trackBar, settings_.Icon());
}

void SettingsPanel::CheckToolButton(int id, bool down) {
  HWND toolBar = Control(Part::Toolbar);
  if (!toolBar) return;
  const bool now = ::SendMessageW(toolBar, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
  if (now != down)
    ::SendMessageW(toolBar, TB_CHECKBUTTON, static_cast<WPARAM>(id), MAKELPARAM(down ? TRUE : FALSE, 0));
}

void SettingsPanel::SyncRadios(std::size_t row, int index) {
  // Only the chosen item (the first when none is) is a tab stop, so Tab lands on the choice.
  const std::span<const HWND> items = RowItems(row);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (!items[i]) continue;
    const int at = static_cast<int>(i);
    ::SendMessageW(items[i], BM_SETCHECK, at == index ? BST_CHECKED : BST_UNCHECKED, 0);
    SetStyleBit(items[i], WS_TABSTOP, at == (index >= 0 ? index : 0));
  }
}

void SettingsPanel::EnableGroup(Part group, bool enabled) {
  const std::size_t row = RowOf(group);
  if (HWND box = RowWindow(row)) ::EnableWindow(box, enabled);
  for (HWND item : RowItems(row))
    if (item) ::EnableWindow(item, enabled);
}

}  // namespace ruvano
