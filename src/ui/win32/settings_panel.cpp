// The panel's creation, its ownership of the controls and the routing of its messages.
#include "ui/win32/settings_panel.h"

#include <commctrl.h>

#include "ui/win32/settings_controls.h"

namespace ruvano {

namespace {

using panel_controls::Controls;
using panel_controls::Description;
using panel_controls::Kind;

// The window class, the extended style and the style of a kind of control.
struct WindowKind {
  const wchar_t* cls;
  DWORD exStyle;
  DWORD style;
};

WindowKind WindowKindOf(Kind kind) {
  switch (kind) {
    case Kind::GroupBox:
    case Kind::RadioGroup: return {L"BUTTON", 0, BS_GROUPBOX | WS_GROUP};
    case Kind::CheckBox: return {L"BUTTON", 0, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP};
    case Kind::Toolbar:
      return {TOOLBARCLASSNAMEW, 0,
              WS_TABSTOP | WS_GROUP | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE |
                  CCS_NOPARENTALIGN};
    case Kind::Trackbar:
      return {TRACKBAR_CLASSW, 0,
              WS_TABSTOP | WS_GROUP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTH | TBS_FIXEDLENGTH | TBS_TOOLTIPS |
                  TBS_ENABLESELRANGE};
    case Kind::Edit: return {L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP};
    case Kind::Button: return {L"BUTTON", 0, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP};
  }
  return {L"STATIC", 0, 0};
}

}  // namespace

SettingsPanel::~SettingsPanel() {
  subscription_.Reset();
  // The children go before the font they use, the last made first; when the host window is
  // gone already, so are they.
  const bool hostAlive = parent_ && ::IsWindow(parent_);
  while (!children_.empty()) {
    if (!hostAlive || !::IsWindow(children_.back().get())) children_.back().release();
    children_.pop_back();
  }
}

bool SettingsPanel::Create(HWND parent) {
  if (!parent || parent_) return false;
  parent_ = parent;
  dpi_ = DpiForWindow(parent);
  font_ = MakeFont(dpi_);
  updating_ = true;
  CreateControls();
  for (int f = 0; f < kSettingFieldCount; ++f) ShowValue(static_cast<SettingField>(f));
  updating_ = false;
  if (!Control(Part::Toolbar) || !Control(Part::OpacitySlider) || !Control(Part::HintEdit)) return false;

  // The selection narrows at the first change of the opacity, also one made before the panel.
  if (settings_.AlphaBlendValue() != SettingValues{}.AlphaBlendValue) NarrowSelection();
  ApplyLoadedState();
  subscription_ = settings_.Subscribe([this](SettingField field) { OnSettingChanged(field); });
  Relayout(dpi_);
  return true;
}

void SettingsPanel::CreateControls() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto make = [&](const WindowKind& kind, const char16_t* text, DWORD extraStyle, int id) {
    HWND w = ::CreateWindowExW(kind.exStyle, kind.cls, reinterpret_cast<const wchar_t*>(text),
                               WS_CHILD | WS_VISIBLE | kind.style | extraStyle, 0, 0, 0, 0, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (w) {
      ::SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
      children_.emplace_back(w);
    }
    return w;
  };
  // Creation order is the tab order: the order of the descriptions.
  for (const Description& c : Controls()) {
    rowWindows_.push_back(make(WindowKindOf(c.kind), c.caption, 0, c.id));
    auto& items = rowItems_.emplace_back();
    if (c.kind == Kind::RadioGroup) {
      const WindowKind item{L"BUTTON", 0, BS_AUTORADIOBUTTON};
      for (std::size_t i = 0; i < c.items.size(); ++i)
        items.push_back(
            make(item, c.items[i], i == 0 ? WS_GROUP | WS_TABSTOP : 0, c.firstItemId + static_cast<int>(i)));
    }
  }

  if (HWND toolBar = Control(Part::Toolbar)) {
    ::SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolBar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    ::SendMessageW(toolBar, TB_SETIMAGELIST, 0, 0);
    ::SendMessageW(toolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    ::SendMessageW(toolBar, TB_SETMAXTEXTROWS, 1, 0);
    FillToolBar();
  }
  if (HWND trackBar = Control(Part::OpacitySlider)) {
    ::SendMessageW(trackBar, TBM_SETRANGEMIN, FALSE, Settings::kMinAlpha);
    ::SendMessageW(trackBar, TBM_SETRANGEMAX, FALSE, Settings::kMaxAlpha);
    ::SendMessageW(trackBar, TBM_SETLINESIZE, 0, 10);
    ::SendMessageW(trackBar, TBM_SETPAGESIZE, 0, 10);
    ::SendMessageW(trackBar, TBM_SETTICFREQ, 10, 0);
    ::SendMessageW(trackBar, TBM_SETTIPSIDE, TBTS_TOP, 0);
    // The selection shows 0..100 until the first change narrows it to 10..position.
    ::SendMessageW(trackBar, TBM_SETSEL, TRUE, MAKELPARAM(0, Settings::kMaxAlpha));
  }
}

bool SettingsPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (!parent_) return false;
  LRESULT ignored = 0;
  if (!result) result = &ignored;
  switch (msg) {
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lp);
      if (!control) return false;
      if (control == Control(Part::Toolbar)) {
        OnToolBarCommand(LOWORD(wp));
      } else if (!OnControlCommand(control, HIWORD(wp))) {
        return false;
      }
      *result = 0;
      return true;
    }
    case WM_HSCROLL: {
      HWND trackBar = Control(Part::OpacitySlider);
      if (!trackBar || reinterpret_cast<HWND>(lp) != trackBar) return false;
      settings_.SetAlphaBlendValue(static_cast<std::int32_t>(::SendMessageW(trackBar, TBM_GETPOS, 0, 0)));
      *result = 0;
      return true;
    }
    case WM_NEXTDLGCTL:
      MoveFocus(wp, lp);
      *result = 0;
      return true;
    case WM_NOTIFY:
      // The controls' notifications need no answer of the panel's: the defaults serve.
      return false;
    case WM_DPICHANGED:
      Relayout(LOWORD(wp));
      *result = 0;
      return true;
    case WM_SETTINGCHANGE:
      if (wp == SPI_SETNONCLIENTMETRICS) Relayout(dpi_);
      return false;
    case WM_FONTCHANGE: Relayout(dpi_); return false;
    default: return false;
  }
}

std::size_t SettingsPanel::RowOf(Part part) {
  const std::span<const Description> rows = Controls();
  std::size_t row = 0;
  while (row < rows.size() && rows[row].part != part) ++row;
  return row;
}

HWND SettingsPanel::RowWindow(std::size_t row) const {
  return row < rowWindows_.size() ? rowWindows_[row] : nullptr;
}

std::span<const HWND> SettingsPanel::RowItems(std::size_t row) const {
  if (row < rowItems_.size()) return rowItems_[row];
  return {};
}

HWND SettingsPanel::Control(Part part) const { return RowWindow(RowOf(part)); }

HWND SettingsPanel::SoundItem(bool on, int index) const {
  const std::span<const HWND> items = RowItems(RowOf(on ? Part::SoundOnGroup : Part::SoundOffGroup));
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
  return items[static_cast<std::size_t>(index)];
}

HWND SettingsPanel::PositionItem(int index) const {
  const std::span<const HWND> items = RowItems(RowOf(Part::PositionGroup));
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return nullptr;
  return items[static_cast<std::size_t>(index)];
}

}  // namespace ruvano
