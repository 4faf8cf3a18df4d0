#include "ui/win32/settings_panel.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/settings_captions.h"
#include "ui/win32/settings_controls.h"
#include "zeq/win32/hwnd.h"

namespace ruvano {

namespace {

namespace d = settings_design;
using panel_controls::CaptionMeasure;
using panel_controls::Controls;
using panel_controls::Description;
using panel_controls::InModeBand;
using panel_controls::Kind;
using panel_controls::ToolButton;
using panel_controls::ToolButtons;
using panel_controls::WidthMeasure;

const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

// The caption as it shows: a single "&" marks the access key and is not drawn.
std::wstring ShownText(const char16_t* caption) {
  std::wstring shown;
  for (const char16_t* p = caption; *p; ++p) {
    if (*p == u'&') {
      ++p;
      if (*p == 0) break;
    }
    shown.push_back(static_cast<wchar_t>(*p));
  }
  return shown;
}

std::int32_t TextWidth(HDC dc, const std::wstring& text) {
  SIZE size{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

// Every character the panel's captions use outside ASCII: the font's face must have all of them.
std::wstring JapaneseSample() {
  std::wstring sample;
  auto add = [&](const char16_t* caption) {
    for (const char16_t* p = caption; p && *p; ++p)
      if (*p >= 0x80 && sample.find(static_cast<wchar_t>(*p)) == std::wstring::npos)
        sample.push_back(static_cast<wchar_t>(*p));
  };
  for (const ToolButton& b : ToolButtons()) add(b.caption);
  for (const Description& c : Controls()) {
    add(c.caption);
    for (const char16_t* item : c.items) add(item);
  }
  add(captions::OpacityCaption(100).c_str());
  return sample;
}

void SetText(HWND wnd, const std::wstring& text) { ::SetWindowTextW(wnd, text.c_str()); }

std::wstring GetText(HWND wnd) {
  const int length = ::GetWindowTextLengthW(wnd);
  std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = ::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetCheck(HWND button, bool checked) {
  if (button) ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void SetStyleBit(HWND wnd, LONG bit, bool on) {
  const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
  const LONG wanted = on ? (style | bit) : (style & ~bit);
  if (wanted != style) ::SetWindowLongW(wnd, GWL_STYLE, wanted);
}

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
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&icc);

  parent_ = parent;
  dpi_ = DpiForWindow(parent);
  font_ = CreatePanelFont(dpi_, JapaneseSample());
  updating_ = true;
  CreateControls();
  updating_ = false;
  if (!Control(Part::Toolbar) || !Control(Part::OpacitySlider) || !Control(Part::HintEdit)) return false;

  subscription_ = settings_.Subscribe([this](SettingField field) { OnSettingChanged(field); });
  // The controls show the designed defaults; every field that differs is applied as an
  // assignment would be, with its reaction.
  const SettingValues defaults;
  ForEachSetting([&](const auto& row) {
    if (settings_.Values().*row.member != defaults.*row.member) OnSettingChanged(row.field);
  });
  ApplyLoadedState();
  Relayout(dpi_);
  return true;
}

void SettingsPanel::CreateControls() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto make = [&](const WindowKind& kind, const char16_t* text, DWORD extraStyle, int id) {
    HWND w = ::CreateWindowExW(kind.exStyle, kind.cls, W(text),
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
    ::SendMessageW(trackBar, TBM_SETPOS, TRUE, Settings::kMaxAlpha);
    // The selection shows 0..100 until the first change narrows it to 10..position.
    ::SendMessageW(trackBar, TBM_SETSEL, TRUE, MAKELPARAM(0, Settings::kMaxAlpha));
  }

  // The designed state: first sounds chosen, first position, nothing ticked or down.
  const Settings defaults;
  const std::span<const Description> rows = Controls();
  for (std::size_t row = 0; row < rows.size(); ++row)
    if (rows[row].kind == Kind::RadioGroup) SyncRadios(row, (defaults.*rows[row].choice.get)());
  if (HWND edit = Control(Part::HintEdit)) SetText(edit, ToWide(defaults.HintString()));
  EnableGroup(Part::SoundOffGroup, false);
}

void SettingsPanel::FillToolBar() {
  HWND toolBar = Control(Part::Toolbar);
  const auto count = static_cast<int>(::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
  for (int i = count - 1; i >= 0; --i) ::SendMessageW(toolBar, TB_DELETEBUTTON, static_cast<WPARAM>(i), 0);

  std::vector<TBBUTTON> buttons;
  for (const ToolButton& b : ToolButtons()) {
    TBBUTTON tb{};
    if (b.id == 0) {
      tb.iBitmap = ScaleToDpi(b.separatorWidth, dpi_);
      tb.fsStyle = BTNS_SEP;
    } else {
      const bool check = b.setting.get != nullptr;
      tb.iBitmap = I_IMAGENONE;
      tb.idCommand = b.id;
      tb.fsStyle = static_cast<BYTE>((check ? BTNS_CHECK : BTNS_BUTTON) | BTNS_AUTOSIZE | BTNS_SHOWTEXT);
      tb.fsState = TBSTATE_ENABLED;
      if (check && (settings_.*b.setting.get)()) tb.fsState |= TBSTATE_CHECKED;
      tb.iString = reinterpret_cast<INT_PTR>(W(b.caption));
    }
    buttons.push_back(tb);
  }
  ::SendMessageW(toolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  ::SendMessageW(toolBar, TB_AUTOSIZE, 0, 0);
}

SettingsPanelMeasures SettingsPanel::Measure() const {
  SettingsPanelMeasures m;
  m.dpi = dpi_;
  m.checkGlyph = ScaleToDpi(d::kCheckGlyph, dpi_);

  WindowDC dc(parent_);
  SelectGuard select(dc.get(), font_.get());
  TEXTMETRICW tm{};
  ::GetTextMetricsW(dc.get(), &tm);
  m.textHeight = tm.tmHeight;
  auto width = [&](const char16_t* caption) { return TextWidth(dc.get(), ShownText(caption)); };
  auto widen = [&](WidthMeasure measure, const char16_t* caption) {
    if (measure && caption) m.*measure = std::max(m.*measure, width(caption));
  };

  // Every row's caption and items feed the measure the row names; the widest wins.
  for (const Description& c : Controls()) {
    widen(CaptionMeasure(c), c.caption);
    for (const char16_t* item : c.items) widen(c.itemWidth, item);
    if (InModeBand(c)) ++m.modeChecks;
  }
  // While ticked, the icon check box shows the opacity after its caption (IconCaption), a
  // caption no row holds; it is widest at 100%.
  widen(&SettingsPanelMeasures::iconCheck, captions::OpacityCaption(Settings::kMaxAlpha).c_str());

  if (HWND toolBar = Control(Part::Toolbar)) {
    // The toolbar's buttons are no rows: the toolbar measures them itself, their own extent in
    // one row (it sizes each button to its caption).
    SIZE size{};
    ::SendMessageW(toolBar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    RECT last{};
    const auto count = static_cast<int>(::SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
    if (count > 0)
      ::SendMessageW(toolBar, TB_GETITEMRECT, static_cast<WPARAM>(count - 1),
                     reinterpret_cast<LPARAM>(&last));
    const DWORD buttonSize = static_cast<DWORD>(::SendMessageW(toolBar, TB_GETBUTTONSIZE, 0, 0));
    m.toolBar.width = std::max<std::int32_t>(size.cx, last.right);
    m.toolBar.height = std::max<std::int32_t>({size.cy, last.bottom, HIWORD(buttonSize)});
  }
  return m;
}

void SettingsPanel::Relayout(int dpi) {
  if (!parent_) return;
  if (dpi <= 0) dpi = d::kDpi;
  UniqueFont font = CreatePanelFont(dpi, JapaneseSample());
  if (font) {
    dpi_ = dpi;
    for (const UniqueWindow& w : children_)
      ::SendMessageW(w.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);  // the old font is deleted only now that no control uses it
  }
  if (Control(Part::Toolbar)) FillToolBar();
  if (HWND trackBar = Control(Part::OpacitySlider))
    ::SendMessageW(trackBar, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(ScaleToDpi(d::kThumbLength, dpi_)), 0);

  layout_ = LayOutSettingsPanel(Measure());
  PlaceControls();
  host_.ClientSizeWanted(layout_.client.width, layout_.client.height);
}

void SettingsPanel::PlaceControls() {
  auto place = [](HWND w, const Rect& r) {
    if (w)
      ::SetWindowPos(w, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  };
  std::size_t modeSlot = 0;
  const std::span<const Description> rows = Controls();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const Description& c = rows[row];
    if (c.place) {
      place(RowWindow(row), layout_.*c.place);
    } else if (InModeBand(c) && modeSlot < layout_.modeChecks.size()) {
      place(RowWindow(row), layout_.modeChecks[modeSlot++]);
    }
    if (c.itemPlaces) {
      const std::span<Rect> places = c.itemPlaces(layout_);
      const std::span<const HWND> items = RowItems(row);
      for (std::size_t i = 0; i < items.size() && i < places.size(); ++i) place(items[i], places[i]);
    }
  }
  ::InvalidateRect(parent_, nullptr, TRUE);
}

void SettingsPanel::ApplyLoadedState() {
  if (!parent_) return;
  SetIconCaption(captions::OpacityCaption(settings_.AlphaBlendValue()));
  EnableGroup(Part::SoundOffGroup, settings_.Off());
  EnableGroup(Part::PositionGroup, settings_.Icon());
  if (HWND trackBar = Control(Part::OpacitySlider)) ::EnableWindow(trackBar, settings_.Icon());
  HWND iconCheck = Control(Part::IconCheck);
  SetIconCaption(captions::IconCaption(iconCheck && IsChecked(iconCheck), settings_.AlphaBlendValue()));
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
        *result = 0;
        return true;
      }
      if (OnControlCommand(control, HIWORD(wp))) {
        *result = 0;
        return true;
      }
      return false;
    }
    case WM_HSCROLL: {
      HWND trackBar = Control(Part::OpacitySlider);
      if (trackBar && reinterpret_cast<HWND>(lp) == trackBar) {
        settings_.SetAlphaBlendValue(static_cast<std::int32_t>(::SendMessageW(trackBar, TBM_GETPOS, 0, 0)));
        *result = 0;
        return true;
      }
      return false;
    }
    case WM_NEXTDLGCTL: {
      // What a dialog does for it; the dialog manager sends it to move the focus to the
      // control after a group box whose access key was pressed.
      HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                               : ::GetNextDlgTabItem(parent_, ::GetFocus(), wp != 0 ? TRUE : FALSE);
      if (target && (target == parent_ || ::IsChild(parent_, target))) {
        if (::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
          ::SendMessageW(target, EM_SETSEL, 0, -1);
        ::SetFocus(target);
      }
      *result = 0;
      return true;
    }
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

bool SettingsPanel::TranslateAccessKey(const MSG& msg) {
  HWND toolBar = Control(Part::Toolbar);
  if (!parent_ || !toolBar || msg.message != WM_SYSCHAR) return false;
  if (msg.hwnd != parent_ && !::IsChild(parent_, msg.hwnd)) return false;
  wchar_t key = static_cast<wchar_t>(msg.wParam);
  if (key >= L'a' && key <= L'z') key = static_cast<wchar_t>(key - L'a' + L'A');
  for (const ToolButton& b : ToolButtons()) {
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

void SettingsPanel::OnToolBarCommand(int id) {
  if (updating_) return;
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
  if (control == Control(Part::HintEdit)) {
    if (code == EN_CHANGE && !updating_) settings_.SetHintString(ToText(GetText(control)));
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (updating_) return true;
  const std::span<const Description> rows = Controls();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const Description& c = rows[row];
    if (c.kind == Kind::CheckBox && control == RowWindow(row)) {
      (settings_.*c.check.set)(IsChecked(control));
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
    if (c.preview != panel_controls::Preview::None && host_.SettingsWindowVisible())
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

  // The controls bound to the field show its value.
  const std::span<const Description> rows = Controls();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    const Description& c = rows[row];
    if (c.kind == Kind::CheckBox && c.check.field == field)
      SetCheck(RowWindow(row), (settings_.*c.check.get)());
    if (c.kind == Kind::RadioGroup && c.choice.field == field) SyncRadios(row, (settings_.*c.choice.get)());
  }
  for (const ToolButton& b : ToolButtons())
    if (b.setting.get && b.setting.field == field) CheckToolButton(b.id, (settings_.*b.setting.get)());

  // The reactions some fields have besides.
  switch (field) {
    case SettingField::Icon:
      if (Control(Part::IconCheck))
        SetIconCaption(captions::IconCaption(settings_.Icon(), settings_.AlphaBlendValue()));
      EnableGroup(Part::PositionGroup, settings_.Icon());
      if (HWND trackBar = Control(Part::OpacitySlider)) ::EnableWindow(trackBar, settings_.Icon());
      break;
    case SettingField::Hint:
      if (!settings_.Hint()) host_.HideHintNow();
      break;
    case SettingField::HintString:
      if (HWND edit = Control(Part::HintEdit)) {
        const std::wstring wanted = ToWide(settings_.HintString());
        if (GetText(edit) != wanted) SetText(edit, wanted);
      }
      break;
    case SettingField::Off: EnableGroup(Part::SoundOffGroup, settings_.Off()); break;
    case SettingField::AlphaBlendValue:
      if (HWND trackBar = Control(Part::OpacitySlider);
          trackBar && ::SendMessageW(trackBar, TBM_GETPOS, 0, 0) != settings_.AlphaBlendValue())
        ::SendMessageW(trackBar, TBM_SETPOS, TRUE, settings_.AlphaBlendValue());
      TrackBarChange();
      break;
    default: break;  // the window's position is the host's
  }
}

void SettingsPanel::TrackBarChange() {
  const std::int32_t position = settings_.AlphaBlendValue();
  SetIconCaption(captions::OpacityCaption(position));
  if (HWND trackBar = Control(Part::OpacitySlider)) {
    ::SendMessageW(trackBar, TBM_SETSELSTART, FALSE, Settings::kMinAlpha);
    ::SendMessageW(trackBar, TBM_SETSELEND, TRUE, position);
  }
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

void SettingsPanel::SetIconCaption(const Text& caption) {
  HWND iconCheck = Control(Part::IconCheck);
  if (!iconCheck) return;
  const std::wstring wanted = ToWide(caption);
  if (GetText(iconCheck) != wanted) SetText(iconCheck, wanted);
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
