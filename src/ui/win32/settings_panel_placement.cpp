// The panel's font, the measures of its captions and the placement of its controls, for the
// DPI of the window's monitor.
#include "ui/win32/settings_panel.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/settings_captions.h"
#include "ui/win32/settings_controls.h"

namespace ruvano {

namespace {

namespace d = settings_design;
using panel_controls::CaptionMeasure;
using panel_controls::Controls;
using panel_controls::Description;
using panel_controls::InModeBand;
using panel_controls::ToolButton;
using panel_controls::ToolButtons;
using panel_controls::WidthMeasure;

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

}  // namespace

UniqueFont SettingsPanel::MakeFont(int dpi) const { return CreatePanelFont(dpi, JapaneseSample()); }

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
      tb.iString = reinterpret_cast<INT_PTR>(b.caption);
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
  UniqueFont font = MakeFont(dpi);
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

}  // namespace ruvano
