#include "ui/win32/settings_panel.h"

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "ui/settings_captions.h"
#include "zeq/win32/hwnd.h"

namespace ruvano {

namespace {

namespace d = settings_design;

constexpr int kIdToolBar = 0x5100;
constexpr int kIdSoundOnBox = 0x5110;
constexpr int kIdSoundOffBox = 0x5111;
constexpr int kIdIconBox = 0x5112;
constexpr int kIdIconCheck = 0x5113;
constexpr int kIdTrackBar = 0x5114;
constexpr int kIdPositionBox = 0x5115;
constexpr int kIdHintBox = 0x5116;
constexpr int kIdHintCheck = 0x5117;
constexpr int kIdHintEdit = 0x5118;
constexpr int kIdModeBox = 0x5119;
constexpr int kIdShowModeCheck = 0x511A;
constexpr int kIdAlnumOffCheck = 0x511B;
constexpr int kIdSoundOnFirst = 0x5120;
constexpr int kIdSoundOffFirst = 0x5130;
constexpr int kIdPositionFirst = 0x5140;

struct ToolButton {
  int id;               // 0 for a separator
  const char16_t* caption;
  bool check;           // a check button (toggles), else a push button
  int separatorWidth;   // designed width of a separator, at 96 DPI
};

// Left to right.
constexpr ToolButton kToolButtons[] = {
    {SettingsPanel::kTBMute, captions::kMute, true, 0},
    {SettingsPanel::kTBOFF, captions::kOff, true, 0},
    {0, nullptr, false, d::kWideSeparator},
    {SettingsPanel::kTBAppIcon, captions::kAppIcon, true, 0},
    {0, nullptr, false, d::kWideSeparator},
    {SettingsPanel::kTBScroll, captions::kScroll, true, 0},
    {0, nullptr, false, d::kWideSeparator},
    {SettingsPanel::kTBHide, captions::kHide, false, 0},
    {0, nullptr, false, d::kWideSeparator},
    {SettingsPanel::kTBClose, captions::kClose, false, 0},
    {0, nullptr, false, d::kNarrowSeparator},
};

const wchar_t* W(const char16_t* s) { return reinterpret_cast<const wchar_t*>(s); }

template <typename Fn>
Fn UserProc(const char* name) {
  HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  if (!user32) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(user32, name)));
}

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

// Every character the panel's captions use outside ASCII: a face must have all of them.
std::wstring JapaneseSample() {
  std::wstring sample;
  auto add = [&](const char16_t* caption) {
    for (const char16_t* p = caption; *p; ++p)
      if (*p >= 0x80 && sample.find(static_cast<wchar_t>(*p)) == std::wstring::npos)
        sample.push_back(static_cast<wchar_t>(*p));
  };
  for (const char16_t* c : {captions::kMute, captions::kOff, captions::kAppIcon, captions::kHide, captions::kClose,
                            captions::kSoundOn, captions::kSoundOff, captions::kIcon, captions::kPosition,
                            captions::kHint, captions::kShowMode, captions::kAlnumOff})
    add(c);
  for (const char16_t* c : captions::kSounds) add(c);
  for (const char16_t* c : captions::kPositions) add(c);
  add(captions::OpacityCaption(100).c_str());
  return sample;
}

// Whether the font itself (not a linked fallback) has glyphs for every character of text.
bool FontHasGlyphs(HFONT font, const std::wstring& text) {
  WindowDC dc(nullptr);
  if (!dc.get() || !font) return false;
  SelectGuard select(dc.get(), font);
  std::vector<WORD> glyphs(text.size());
  const DWORD n = ::GetGlyphIndicesW(dc.get(), text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                     GGI_MARK_NONEXISTING_GLYPHS);
  if (n == GDI_ERROR || n != text.size()) return false;
  return std::none_of(glyphs.begin(), glyphs.end(), [](WORD g) { return g == 0xFFFF; });
}

HFONT MakeFont(const LOGFONTW& base, const wchar_t* face) {
  LOGFONTW lf = base;
  std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  lf.lfFaceName[LF_FACESIZE - 1] = 0;
  return ::CreateFontIndirectW(&lf);
}

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param) {
  auto* faces = reinterpret_cast<std::vector<std::wstring>*>(param);
  if (lf->lfFaceName[0] != L'@') faces->emplace_back(lf->lfFaceName);  // '@' faces are vertical
  return 1;
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

void SetStyleBit(HWND wnd, LONG bit, bool on) {
  const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
  const LONG wanted = on ? (style | bit) : (style & ~bit);
  if (wanted != style) ::SetWindowLongW(wnd, GWL_STYLE, wanted);
}

}  // namespace

int DpiForWindow(HWND wnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = UserProc<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && wnd) {
    const UINT dpi = getDpiForWindow(wnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  WindowDC dc(wnd);
  const int dpi = dc.get() ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : d::kDpi;
}

SIZE WindowSizeForClient(HWND wnd, int clientWidth, int clientHeight) {
  using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjustForDpi = UserProc<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT r{0, 0, clientWidth, clientHeight};
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(wnd, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(wnd, GWL_EXSTYLE));
  const BOOL menu = (style & WS_CHILD) == 0 && ::GetMenu(wnd) != nullptr;
  if (!adjustForDpi || !adjustForDpi(&r, style, menu, exStyle, static_cast<UINT>(DpiForWindow(wnd))))
    ::AdjustWindowRectEx(&r, style, menu, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

UniqueFont CreatePanelFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  const bool haveMetrics = ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != 0;

  LOGFONTW lf{};
  lf.lfHeight = -ScaleToDpi(d::kFontHeight, dpi);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const wchar_t* menuFace = haveMetrics && metrics.lfMenuFont.lfFaceName[0] ? metrics.lfMenuFont.lfFaceName : L"Tahoma";

  const std::wstring sample = JapaneseSample();
  UniqueFont font(MakeFont(lf, menuFace));
  if (FontHasGlyphs(font.get(), sample)) return font;

  // The menu font lacks Japanese (a Western system's Segoe UI or Tahoma): take a face that
  // has it, the UI faces first, then any face of the Japanese character set.
  std::vector<std::wstring> faces = {L"Yu Gothic UI", L"Meiryo UI", L"MS UI Gothic", L"Meiryo",
                                     L"Yu Gothic",    L"MS PGothic", L"MS Gothic"};
  {
    WindowDC dc(nullptr);
    LOGFONTW query{};
    query.lfCharSet = SHIFTJIS_CHARSET;
    if (dc.get()) ::EnumFontFamiliesExW(dc.get(), &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  }
  for (const std::wstring& face : faces) {
    UniqueFont candidate(MakeFont(lf, face.c_str()));
    if (FontHasGlyphs(candidate.get(), sample)) return candidate;
  }
  // None has them: keep the menu face; the system's font linking may still draw the text.
  return font;
}

SettingsPanel::~SettingsPanel() {
  subscription_.Reset();
  // The children go before the font they use; when the host window is gone already, so are
  // they.
  if (parent_ && ::IsWindow(parent_)) {
    HWND all[] = {alnumOffCheck_, showModeCheck_, modeBox_, hintEdit_, hintCheck_, hintBox_, trackBar_, iconCheck_, iconBox_, positionBox_, soundOffBox_,
                  soundOnBox_, toolBar_};
    for (HWND w : positions_) if (w && ::IsWindow(w)) ::DestroyWindow(w);
    for (HWND w : soundOff_) if (w && ::IsWindow(w)) ::DestroyWindow(w);
    for (HWND w : soundOn_) if (w && ::IsWindow(w)) ::DestroyWindow(w);
    for (HWND w : all) if (w && ::IsWindow(w)) ::DestroyWindow(w);
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
  font_ = CreatePanelFont(dpi_);
  updating_ = true;
  CreateControls();
  updating_ = false;
  if (!toolBar_ || !trackBar_ || !hintEdit_) return false;

  subscription_ = settings_.Subscribe([this](SettingField field) { OnSettingChanged(field); });
  // The controls show the designed defaults; every field that differs is applied as an
  // assignment would be, with its reaction.
  const Settings defaults;
  if (settings_.WaveIndex() != defaults.WaveIndex()) OnSettingChanged(SettingField::WaveIndex);
  if (settings_.WaveIndexOFF() != defaults.WaveIndexOFF()) OnSettingChanged(SettingField::WaveIndexOFF);
  if (settings_.Icon() != defaults.Icon()) OnSettingChanged(SettingField::Icon);
  if (settings_.Hint() != defaults.Hint()) OnSettingChanged(SettingField::Hint);
  if (settings_.HintString() != defaults.HintString()) OnSettingChanged(SettingField::HintString);
  if (settings_.IconPosition() != defaults.IconPosition()) OnSettingChanged(SettingField::IconPosition);
  if (settings_.Mute() != defaults.Mute()) OnSettingChanged(SettingField::Mute);
  if (settings_.OFF() != defaults.OFF()) OnSettingChanged(SettingField::OFF);
  if (settings_.Scroll() != defaults.Scroll()) OnSettingChanged(SettingField::Scroll);
  if (settings_.AppIcon() != defaults.AppIcon()) OnSettingChanged(SettingField::AppIcon);
  if (settings_.AlphaBlendValue() != defaults.AlphaBlendValue()) OnSettingChanged(SettingField::AlphaBlendValue);
  if (settings_.ShowMode() != defaults.ShowMode()) OnSettingChanged(SettingField::ShowMode);
  if (settings_.AlnumOff() != defaults.AlnumOff()) OnSettingChanged(SettingField::AlnumOff);
  ApplyLoadedState();
  Relayout(dpi_);
  return true;
}

void SettingsPanel::CreateControls() {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  auto make = [&](DWORD exStyle, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    HWND w = ::CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (w) ::SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return w;
  };
  // Creation order is the tab order: the ON sounds, the toolbar, the icon group (track
  // bar, check box, positions), the OFF sounds, the hint group (check box, edit box), the
  // input mode group (its two check boxes). Each
  // group box comes before the controls it frames. WS_GROUP closes every radio group.
  auto makeRadios = [&](HWND* items, int count, const std::array<const char16_t*, Settings::kSoundCount>* sounds,
                        int firstId) {
    for (int i = 0; i < count; ++i) {
      const char16_t* caption = sounds ? (*sounds)[static_cast<std::size_t>(i)]
                                       : captions::kPositions[static_cast<std::size_t>(i)];
      items[i] = make(0, L"BUTTON", W(caption), BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP | WS_TABSTOP : 0),
                      firstId + i);
    }
  };

  soundOnBox_ = make(0, L"BUTTON", W(captions::kSoundOn), BS_GROUPBOX | WS_GROUP, kIdSoundOnBox);
  makeRadios(soundOn_.data(), Settings::kSoundCount, &captions::kSounds, kIdSoundOnFirst);

  toolBar_ = make(0, TOOLBARCLASSNAMEW, nullptr,
                  WS_TABSTOP | WS_GROUP | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | CCS_NORESIZE |
                      CCS_NOPARENTALIGN,
                  kIdToolBar);
  if (toolBar_) {
    ::SendMessageW(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolBar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    ::SendMessageW(toolBar_, TB_SETIMAGELIST, 0, 0);
    ::SendMessageW(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    ::SendMessageW(toolBar_, TB_SETMAXTEXTROWS, 1, 0);
    FillToolBar();
  }

  iconBox_ = make(0, L"BUTTON", L"", BS_GROUPBOX | WS_GROUP, kIdIconBox);
  trackBar_ = make(0, TRACKBAR_CLASSW, L"",
                   WS_TABSTOP | WS_GROUP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTH | TBS_FIXEDLENGTH | TBS_TOOLTIPS |
                       TBS_ENABLESELRANGE,
                   kIdTrackBar);
  if (trackBar_) {
    ::SendMessageW(trackBar_, TBM_SETRANGEMIN, FALSE, Settings::kMinAlpha);
    ::SendMessageW(trackBar_, TBM_SETRANGEMAX, FALSE, Settings::kMaxAlpha);
    ::SendMessageW(trackBar_, TBM_SETLINESIZE, 0, 10);
    ::SendMessageW(trackBar_, TBM_SETPAGESIZE, 0, 10);
    ::SendMessageW(trackBar_, TBM_SETTICFREQ, 10, 0);
    ::SendMessageW(trackBar_, TBM_SETTIPSIDE, TBTS_TOP, 0);
    ::SendMessageW(trackBar_, TBM_SETPOS, TRUE, Settings::kMaxAlpha);
    // The selection shows 0..100 until the first change narrows it to 10..position.
    ::SendMessageW(trackBar_, TBM_SETSEL, TRUE, MAKELPARAM(0, Settings::kMaxAlpha));
  }
  iconCheck_ = make(0, L"BUTTON", W(captions::kIcon), BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kIdIconCheck);
  positionBox_ = make(0, L"BUTTON", W(captions::kPosition), BS_GROUPBOX | WS_GROUP, kIdPositionBox);
  makeRadios(positions_.data(), Settings::kPositionCount, nullptr, kIdPositionFirst);

  soundOffBox_ = make(0, L"BUTTON", W(captions::kSoundOff), BS_GROUPBOX | WS_GROUP, kIdSoundOffBox);
  makeRadios(soundOff_.data(), Settings::kSoundCount, &captions::kSounds, kIdSoundOffFirst);

  hintBox_ = make(0, L"BUTTON", L"", BS_GROUPBOX | WS_GROUP, kIdHintBox);
  hintCheck_ = make(0, L"BUTTON", W(captions::kHint), BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kIdHintCheck);
  hintEdit_ = make(WS_EX_CLIENTEDGE, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kIdHintEdit);

  modeBox_ = make(0, L"BUTTON", L"", BS_GROUPBOX | WS_GROUP, kIdModeBox);
  showModeCheck_ =
      make(0, L"BUTTON", W(captions::kShowMode), BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kIdShowModeCheck);
  alnumOffCheck_ =
      make(0, L"BUTTON", W(captions::kAlnumOff), BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kIdAlnumOffCheck);

  // The designed state: first sounds chosen, first position, nothing ticked or down.
  const Settings defaults;
  SyncRadios(soundOn_.data(), Settings::kSoundCount, defaults.WaveIndex());
  SyncRadios(soundOff_.data(), Settings::kSoundCount, defaults.WaveIndexOFF());
  SyncRadios(positions_.data(), Settings::kPositionCount, defaults.IconPosition());
  if (hintEdit_) SetText(hintEdit_, ToWide(defaults.HintString()));
  EnableGroup(soundOffBox_, soundOff_.data(), Settings::kSoundCount, false);
}

void SettingsPanel::FillToolBar() {
  const auto count = static_cast<int>(::SendMessageW(toolBar_, TB_BUTTONCOUNT, 0, 0));
  for (int i = count - 1; i >= 0; --i) ::SendMessageW(toolBar_, TB_DELETEBUTTON, static_cast<WPARAM>(i), 0);

  std::vector<TBBUTTON> buttons;
  for (const ToolButton& b : kToolButtons) {
    TBBUTTON tb{};
    if (b.id == 0) {
      tb.iBitmap = ScaleToDpi(b.separatorWidth, dpi_);
      tb.fsStyle = BTNS_SEP;
    } else {
      tb.iBitmap = I_IMAGENONE;
      tb.idCommand = b.id;
      tb.fsStyle = static_cast<BYTE>((b.check ? BTNS_CHECK : BTNS_BUTTON) | BTNS_AUTOSIZE | BTNS_SHOWTEXT);
      tb.fsState = TBSTATE_ENABLED;
      if ((b.id == kTBMute && settings_.Mute()) || (b.id == kTBOFF && settings_.OFF()) ||
          (b.id == kTBAppIcon && settings_.AppIcon()) || (b.id == kTBScroll && settings_.Scroll()))
        tb.fsState |= TBSTATE_CHECKED;
      tb.iString = reinterpret_cast<INT_PTR>(W(b.caption));
    }
    buttons.push_back(tb);
  }
  ::SendMessageW(toolBar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  ::SendMessageW(toolBar_, TB_AUTOSIZE, 0, 0);
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

  m.soundCaption = std::max(width(captions::kSoundOn), width(captions::kSoundOff));
  for (const char16_t* s : captions::kSounds) m.soundItem = std::max(m.soundItem, width(s));
  // The widest opacity caption is the one at 100%.
  m.iconCheck = std::max(width(captions::kIcon), width(captions::OpacityCaption(Settings::kMaxAlpha).c_str()));
  m.positionCaption = width(captions::kPosition);
  for (const char16_t* s : captions::kPositions) m.positionItem = std::max(m.positionItem, width(s));
  m.hintCheck = width(captions::kHint);
  m.modeCheck = std::max(width(captions::kShowMode), width(captions::kAlnumOff));

  if (toolBar_) {
    // The buttons' own extent, one row; the toolbar sizes each button to its caption.
    SIZE size{};
    ::SendMessageW(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    RECT last{};
    const auto count = static_cast<int>(::SendMessageW(toolBar_, TB_BUTTONCOUNT, 0, 0));
    if (count > 0) ::SendMessageW(toolBar_, TB_GETITEMRECT, static_cast<WPARAM>(count - 1), reinterpret_cast<LPARAM>(&last));
    const DWORD buttonSize = static_cast<DWORD>(::SendMessageW(toolBar_, TB_GETBUTTONSIZE, 0, 0));
    m.toolBar.width = std::max<std::int32_t>(size.cx, last.right);
    m.toolBar.height = std::max<std::int32_t>({size.cy, last.bottom, HIWORD(buttonSize)});
  }
  return m;
}

void SettingsPanel::Relayout(int dpi) {
  if (!parent_) return;
  if (dpi <= 0) dpi = d::kDpi;
  UniqueFont font = CreatePanelFont(dpi);
  if (font) {
    dpi_ = dpi;
    HWND all[] = {toolBar_,    soundOnBox_, soundOffBox_, iconBox_, iconCheck_,     trackBar_,     positionBox_,
                  hintBox_,    hintCheck_,  hintEdit_,    modeBox_, showModeCheck_, alnumOffCheck_};
    auto setFont = [&](HWND w) {
      if (w) ::SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    };
    for (HWND w : all) setFont(w);
    for (HWND w : soundOn_) setFont(w);
    for (HWND w : soundOff_) setFont(w);
    for (HWND w : positions_) setFont(w);
    font_ = std::move(font);  // the old font is deleted only now that no control uses it
  }
  if (toolBar_) FillToolBar();
  if (trackBar_) ::SendMessageW(trackBar_, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(ScaleToDpi(d::kThumbLength, dpi_)), 0);

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
  place(toolBar_, layout_.toolBar);
  place(soundOnBox_, layout_.soundOn);
  place(soundOffBox_, layout_.soundOff);
  for (int i = 0; i < Settings::kSoundCount; ++i) {
    place(soundOn_[static_cast<std::size_t>(i)], layout_.soundOnItems[static_cast<std::size_t>(i)]);
    place(soundOff_[static_cast<std::size_t>(i)], layout_.soundOffItems[static_cast<std::size_t>(i)]);
  }
  place(iconBox_, layout_.iconGroup);
  place(iconCheck_, layout_.iconCheck);
  place(trackBar_, layout_.trackBar);
  place(positionBox_, layout_.positionGroup);
  for (int i = 0; i < Settings::kPositionCount; ++i)
    place(positions_[static_cast<std::size_t>(i)], layout_.positionItems[static_cast<std::size_t>(i)]);
  place(hintBox_, layout_.hintGroup);
  place(hintCheck_, layout_.hintCheck);
  place(hintEdit_, layout_.hintEdit);
  place(modeBox_, layout_.modeGroup);
  place(showModeCheck_, layout_.showModeCheck);
  place(alnumOffCheck_, layout_.alnumOffCheck);
  ::InvalidateRect(parent_, nullptr, TRUE);
}

void SettingsPanel::ApplyLoadedState() {
  if (!parent_) return;
  SetIconCaption(captions::OpacityCaption(settings_.AlphaBlendValue()));
  EnableGroup(soundOffBox_, soundOff_.data(), Settings::kSoundCount, settings_.OFF());
  EnableGroup(positionBox_, positions_.data(), Settings::kPositionCount, settings_.Icon());
  if (trackBar_) ::EnableWindow(trackBar_, settings_.Icon());
  SetIconCaption(captions::IconCaption(iconCheck_ && IsChecked(iconCheck_), settings_.AlphaBlendValue()));
}

bool SettingsPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  if (!parent_) return false;
  LRESULT ignored = 0;
  if (!result) result = &ignored;
  switch (msg) {
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lp);
      if (!control) return false;
      if (control == toolBar_) {
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
    case WM_HSCROLL:
      if (trackBar_ && reinterpret_cast<HWND>(lp) == trackBar_) {
        settings_.SetAlphaBlendValue(static_cast<std::int32_t>(::SendMessageW(trackBar_, TBM_GETPOS, 0, 0)));
        *result = 0;
        return true;
      }
      return false;
    case WM_NEXTDLGCTL: {
      // What a dialog does for it; the dialog manager sends it to move the focus to the
      // control after a group box whose access key was pressed.
      HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                               : ::GetNextDlgTabItem(parent_, ::GetFocus(), wp != 0 ? TRUE : FALSE);
      if (target && (target == parent_ || ::IsChild(parent_, target))) {
        if (::SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(target, EM_SETSEL, 0, -1);
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
    case WM_FONTCHANGE:
      Relayout(dpi_);
      return false;
    default:
      return false;
  }
}

bool SettingsPanel::TranslateAccessKey(const MSG& msg) {
  if (!parent_ || !toolBar_ || msg.message != WM_SYSCHAR) return false;
  if (msg.hwnd != parent_ && !::IsChild(parent_, msg.hwnd)) return false;
  wchar_t key = static_cast<wchar_t>(msg.wParam);
  if (key >= L'a' && key <= L'z') key = static_cast<wchar_t>(key - L'a' + L'A');
  for (const ToolButton& b : kToolButtons) {
    if (b.id == 0 || captions::AccessKeyOf(b.caption) != static_cast<char16_t>(key)) continue;
    if (!::IsWindowEnabled(toolBar_) || !::SendMessageW(toolBar_, TB_ISBUTTONENABLED, static_cast<WPARAM>(b.id), 0))
      return false;
    if (b.check) {
      const bool down = ::SendMessageW(toolBar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(b.id), 0) != 0;
      CheckToolButton(b.id, !down);
    }
    OnToolBarCommand(b.id);
    return true;
  }
  return false;
}

void SettingsPanel::OnToolBarCommand(int id) {
  if (updating_) return;
  auto down = [&] { return ::SendMessageW(toolBar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0; };
  switch (id) {
    case kTBMute: settings_.SetMute(down()); break;
    case kTBOFF: settings_.SetOFF(down()); break;
    case kTBAppIcon: settings_.SetAppIcon(down()); break;
    case kTBScroll: settings_.SetScroll(down()); break;
    case kTBHide: host_.HideSettingsWindow(); break;
    case kTBClose: host_.CloseSettingsWindow(); break;
    default: break;
  }
}

bool SettingsPanel::OnControlCommand(HWND control, int code) {
  if (control == hintEdit_) {
    if (code == EN_CHANGE && !updating_) settings_.SetHintString(ToText(GetText(hintEdit_)));
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (updating_) return true;
  if (control == iconCheck_) {
    settings_.SetIcon(IsChecked(iconCheck_));
    return true;
  }
  if (control == hintCheck_) {
    settings_.SetHint(IsChecked(hintCheck_));
    return true;
  }
  if (control == showModeCheck_) {
    settings_.SetShowMode(IsChecked(showModeCheck_));
    return true;
  }
  if (control == alnumOffCheck_) {
    settings_.SetAlnumOff(IsChecked(alnumOffCheck_));
    return true;
  }
  // A radio button also reports a click when it merely gets the focus; only a checked one
  // is a choice.
  for (int i = 0; i < Settings::kSoundCount; ++i) {
    if (control == soundOn_[static_cast<std::size_t>(i)]) {
      if (IsChecked(control)) ChooseSound(true, i);
      return true;
    }
    if (control == soundOff_[static_cast<std::size_t>(i)]) {
      if (IsChecked(control)) ChooseSound(false, i);
      return true;
    }
  }
  for (int i = 0; i < Settings::kPositionCount; ++i) {
    if (control == positions_[static_cast<std::size_t>(i)]) {
      if (IsChecked(control)) settings_.SetIconPosition(i);
      return true;
    }
  }
  return false;
}

void SettingsPanel::ChooseSound(bool on, int index) {
  if ((on ? settings_.WaveIndex() : settings_.WaveIndexOFF()) == index) return;  // no new choice
  if (on)
    settings_.SetWaveIndex(index);
  else
    settings_.SetWaveIndexOFF(index);
  // The user hears the sound just chosen, only while the window is visible.
  if (host_.SettingsWindowVisible()) host_.PlayCue(on);
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

  switch (field) {
    case SettingField::WaveIndex:
      SyncRadios(soundOn_.data(), Settings::kSoundCount, settings_.WaveIndex());
      break;
    case SettingField::WaveIndexOFF:
      SyncRadios(soundOff_.data(), Settings::kSoundCount, settings_.WaveIndexOFF());
      break;
    case SettingField::Icon:
      if (iconCheck_) {
        ::SendMessageW(iconCheck_, BM_SETCHECK, settings_.Icon() ? BST_CHECKED : BST_UNCHECKED, 0);
        SetIconCaption(captions::IconCaption(settings_.Icon(), settings_.AlphaBlendValue()));
      }
      EnableGroup(positionBox_, positions_.data(), Settings::kPositionCount, settings_.Icon());
      if (trackBar_) ::EnableWindow(trackBar_, settings_.Icon());
      break;
    case SettingField::Hint:
      if (hintCheck_) ::SendMessageW(hintCheck_, BM_SETCHECK, settings_.Hint() ? BST_CHECKED : BST_UNCHECKED, 0);
      if (!settings_.Hint()) host_.HideHintNow();
      break;
    case SettingField::HintString:
      if (hintEdit_) {
        const std::wstring wanted = ToWide(settings_.HintString());
        if (GetText(hintEdit_) != wanted) SetText(hintEdit_, wanted);
      }
      break;
    case SettingField::IconPosition:
      SyncRadios(positions_.data(), Settings::kPositionCount, settings_.IconPosition());
      break;
    case SettingField::Mute: CheckToolButton(kTBMute, settings_.Mute()); break;
    case SettingField::OFF:
      CheckToolButton(kTBOFF, settings_.OFF());
      EnableGroup(soundOffBox_, soundOff_.data(), Settings::kSoundCount, settings_.OFF());
      break;
    case SettingField::Scroll: CheckToolButton(kTBScroll, settings_.Scroll()); break;
    case SettingField::AppIcon: CheckToolButton(kTBAppIcon, settings_.AppIcon()); break;
    case SettingField::AlphaBlendValue:
      if (trackBar_ && ::SendMessageW(trackBar_, TBM_GETPOS, 0, 0) != settings_.AlphaBlendValue())
        ::SendMessageW(trackBar_, TBM_SETPOS, TRUE, settings_.AlphaBlendValue());
      TrackBarChange();
      break;
    case SettingField::ShowMode:
      if (showModeCheck_) ::SendMessageW(showModeCheck_, BM_SETCHECK, settings_.ShowMode() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case SettingField::AlnumOff:
      if (alnumOffCheck_) ::SendMessageW(alnumOffCheck_, BM_SETCHECK, settings_.AlnumOff() ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case SettingField::Top:
    case SettingField::Left:
      break;  // the window's position is the host's
  }
}

void SettingsPanel::TrackBarChange() {
  const std::int32_t position = settings_.AlphaBlendValue();
  SetIconCaption(captions::OpacityCaption(position));
  if (trackBar_) {
    ::SendMessageW(trackBar_, TBM_SETSELSTART, FALSE, Settings::kMinAlpha);
    ::SendMessageW(trackBar_, TBM_SETSELEND, TRUE, position);
  }
}

void SettingsPanel::CheckToolButton(int id, bool down) {
  if (!toolBar_) return;
  const bool now = ::SendMessageW(toolBar_, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
  if (now != down) ::SendMessageW(toolBar_, TB_CHECKBUTTON, static_cast<WPARAM>(id), MAKELPARAM(down ? TRUE : FALSE, 0));
}

void SettingsPanel::SyncRadios(HWND* items, int count, int index) {
  // Only the chosen item (the first when none is) is a tab stop, so Tab lands on the choice.
  for (int i = 0; i < count; ++i) {
    if (!items[i]) continue;
    ::SendMessageW(items[i], BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    SetStyleBit(items[i], WS_TABSTOP, i == (index >= 0 ? index : 0));
  }
}

void SettingsPanel::EnableGroup(HWND box, HWND* items, int count, bool enabled) {
  if (box) ::EnableWindow(box, enabled);
  for (int i = 0; i < count; ++i)
    if (items[i]) ::EnableWindow(items[i], enabled);
}

void SettingsPanel::SetIconCaption(const Text& caption) {
  if (!iconCheck_) return;
  const std::wstring wanted = ToWide(caption);
  if (GetText(iconCheck_) != wanted) SetText(iconCheck_, wanted);
}

HWND SettingsPanel::Control(Part part) const {
  switch (part) {
    case Part::ToolBar: return toolBar_;
    case Part::RadioGroupON: return soundOnBox_;
    case Part::RadioGroupOFF: return soundOffBox_;
    case Part::GroupBoxIcon: return iconBox_;
    case Part::CHKIcon: return iconCheck_;
    case Part::TrackBar: return trackBar_;
    case Part::RGPos: return positionBox_;
    case Part::GroupBoxHint: return hintBox_;
    case Part::CHKHint: return hintCheck_;
    case Part::EditHint: return hintEdit_;
    case Part::GroupBoxMode: return modeBox_;
    case Part::CHKShowMode: return showModeCheck_;
    case Part::CHKAlnumOff: return alnumOffCheck_;
  }
  return nullptr;
}

HWND SettingsPanel::SoundItem(bool on, int index) const {
  if (index < 0 || index >= Settings::kSoundCount) return nullptr;
  return (on ? soundOn_ : soundOff_)[static_cast<std::size_t>(index)];
}

HWND SettingsPanel::PositionItem(int index) const {
  if (index < 0 || index >= Settings::kPositionCount) return nullptr;
  return positions_[static_cast<std::size_t>(index)];
}

}  // namespace ruvano
