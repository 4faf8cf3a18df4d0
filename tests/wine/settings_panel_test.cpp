#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings_panel_test_host.h"
#include "ui/settings_captions.h"
#include "ui/win32/settings_controls.h"
#include "wine_test_util.h"
#include "zeq/win32/hwnd.h"

namespace ruvano {
namespace {

using testing::PanelTestHost;
using testing::PumpFor;
using Part = SettingsPanel::Part;

std::wstring TextOf(HWND w) {
  wchar_t buffer[256] = {};
  GetWindowTextW(w, buffer, 256);
  return buffer;
}
std::wstring Wide(const Text& s) { return ToWide(s); }

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The checked item of a sound group (on = ON group), -1 when none, -2 when several.
int CheckedSound(const SettingsPanel& p, bool on) {
  int found = -1;
  for (int i = 0; i < Settings::kSoundCount; ++i)
    if (Checked(p.SoundItem(on, i))) found = found == -1 ? i : -2;
  return found;
}
int CheckedPosition(const SettingsPanel& p) {
  int found = -1;
  for (int i = 0; i < Settings::kPositionCount; ++i)
    if (Checked(p.PositionItem(i))) found = found == -1 ? i : -2;
  return found;
}
bool SoundGroupEnabled(const SettingsPanel& p, bool on) {
  bool all = IsWindowEnabled(p.Control(on ? Part::SoundOnGroup : Part::SoundOffGroup)) != FALSE;
  for (int i = 0; i < Settings::kSoundCount; ++i) all = all && IsWindowEnabled(p.SoundItem(on, i));
  return all;
}
bool SoundGroupDisabled(const SettingsPanel& p, bool on) {
  bool none = !IsWindowEnabled(p.Control(on ? Part::SoundOnGroup : Part::SoundOffGroup));
  for (int i = 0; i < Settings::kSoundCount; ++i) none = none && !IsWindowEnabled(p.SoundItem(on, i));
  return none;
}
bool PositionsEnabled(const SettingsPanel& p, bool enabled) {
  bool same = (IsWindowEnabled(p.Control(Part::PositionGroup)) != FALSE) == enabled;
  for (int i = 0; i < Settings::kPositionCount; ++i)
    same = same && (IsWindowEnabled(p.PositionItem(i)) != FALSE) == enabled;
  return same;
}
bool ToolDown(const SettingsPanel& p, int id) {
  return SendMessageW(p.Control(Part::Toolbar), TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
}
std::pair<long, long> Selection(const SettingsPanel& p) {
  HWND tb = p.Control(Part::OpacitySlider);
  return {static_cast<long>(SendMessageW(tb, TBM_GETSELSTART, 0, 0)),
          static_cast<long>(SendMessageW(tb, TBM_GETSELEND, 0, 0))};
}
long TrackPos(const SettingsPanel& p) {
  return static_cast<long>(SendMessageW(p.Control(Part::OpacitySlider), TBM_GETPOS, 0, 0));
}

// A toolbar button clicked the way the toolbar reports it: a check button toggles, then
// the parent gets WM_COMMAND with the button's id.
void ToolClick(PanelTestHost& host, int id, bool check) {
  HWND tb = host.panel.Control(Part::Toolbar);
  if (check) {
    const bool down = SendMessageW(tb, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
    SendMessageW(tb, TB_CHECKBUTTON, static_cast<WPARAM>(id), MAKELPARAM(!down, 0));
  }
  SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(tb));
}

// A mouse click on a toolbar button, delivered to the toolbar itself.
void MouseClickTool(PanelTestHost& host, int id) {
  HWND tb = host.panel.Control(Part::Toolbar);
  RECT r{};
  ASSERT_TRUE(SendMessageW(tb, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&r)));
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  SendMessageW(tb, WM_MOUSEMOVE, 0, at);
  SendMessageW(tb, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(tb, WM_LBUTTONUP, 0, at);
  PumpFor(50);
}

// The track bar moved to pos the way the user moves it: the position changes, then the
// parent gets WM_HSCROLL.
void MoveTrackBar(PanelTestHost& host, long pos) {
  HWND tb = host.panel.Control(Part::OpacitySlider);
  SendMessageW(tb, TBM_SETPOS, TRUE, pos);
  SendMessageW(host.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(tb));
}

class SettingsPanelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open()); }
  Settings settings;
  PanelTestHost host{settings};
  SettingsPanel& panel = host.panel;
};

// First start without a settings file: every control shows the designed default.
TEST_F(SettingsPanelTest, StartsInTheDesignedState) {
  EXPECT_EQ(CheckedSound(panel, true), 0);
  EXPECT_EQ(CheckedSound(panel, false), 0);
  EXPECT_TRUE(SoundGroupEnabled(panel, true));
  EXPECT_TRUE(SoundGroupDisabled(panel, false));
  EXPECT_FALSE(Checked(panel.Control(Part::IconCheck)));
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)");
  EXPECT_TRUE(PositionsEnabled(panel, false));
  EXPECT_FALSE(IsWindowEnabled(panel.Control(Part::OpacitySlider)));
  EXPECT_EQ(CheckedPosition(panel), 0);
  EXPECT_FALSE(Checked(panel.Control(Part::HintCheck)));
  EXPECT_EQ(TextOf(panel.Control(Part::HintEdit)), L"IME ON");
  EXPECT_EQ(TrackPos(panel), 100);
  for (int id : {SettingsPanel::kMuteButton, SettingsPanel::kOffButton, SettingsPanel::kAppIconButton,
                 SettingsPanel::kScrollButton})
    EXPECT_FALSE(ToolDown(panel, id)) << id;

  HWND tb = panel.Control(Part::OpacitySlider);
  EXPECT_EQ(SendMessageW(tb, TBM_GETRANGEMIN, 0, 0), 10);
  EXPECT_EQ(SendMessageW(tb, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageW(tb, TBM_GETLINESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageW(tb, TBM_GETPAGESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageW(tb, TBM_GETNUMTICS, 0, 0), 10);  // 10, 20, ... 100
  EXPECT_EQ(Selection(panel).second, 100);                // no change yet: the designed 0..100

  // Captions exactly as designed.
  EXPECT_EQ(TextOf(panel.Control(Part::SoundOnGroup)), L"[音声選択ON(&N)]");
  EXPECT_EQ(TextOf(panel.Control(Part::SoundOffGroup)), L"[音声選択OFF(&F)]");
  EXPECT_EQ(TextOf(panel.Control(Part::PositionGroup)), L"アイコンの位置(&P)");
  EXPECT_EQ(TextOf(panel.Control(Part::HintCheck)), L"マウスカーソル付近にヒントを表示(&H)");
  EXPECT_EQ(TextOf(panel.SoundItem(true, 7)), L"ニャー");
  EXPECT_EQ(TextOf(panel.SoundItem(false, 11)), L"ピャッ");
  EXPECT_EQ(TextOf(panel.PositionItem(1)), L"上中央");
  const wchar_t* tools[] = {L"ミュート",   L"OFFにも再生", L"プログラムアイコン", L"Scrool LED", L"診断(&G)",
                            L"閉じる(&C)", L"終了(&X)"};
  const int ids[] = {SettingsPanel::kMuteButton,     SettingsPanel::kOffButton,
                     SettingsPanel::kAppIconButton,  SettingsPanel::kScrollButton,
                     SettingsPanel::kDiagnoseButton, SettingsPanel::kHideButton,
                     SettingsPanel::kCloseButton};
  for (int i = 0; i < 7; ++i) {
    wchar_t text[64] = {};
    SendMessageW(panel.Control(Part::Toolbar), TB_GETBUTTONTEXTW, static_cast<WPARAM>(ids[i]),
                 reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, tools[i]);
  }
  // Seven buttons and six separators.
  EXPECT_EQ(SendMessageW(panel.Control(Part::Toolbar), TB_BUTTONCOUNT, 0, 0), 13);

  // Nothing was asked of the host but its size; nothing played while hidden.
  EXPECT_TRUE(host.previews.empty());
  EXPECT_EQ(host.hideRequests + host.closeRequests, 0);
  ASSERT_FALSE(host.wanted.empty());
  EXPECT_EQ(host.ClientSize().cx, host.wanted.back().cx);
  EXPECT_EQ(host.ClientSize().cy, host.wanted.back().cy);
}

// The settings file loader assigns fields while the window is hidden: the controls follow,
// previews stay silent, and the creation-time derivations give a consistent window.
TEST_F(SettingsPanelTest, AssignedFieldsReachTheControls) {
  settings.SetWaveIndex(5);
  settings.SetOffWaveIndex(-7);  // clamps to -1: no item
  settings.SetIconPosition(9);   // clamps to 3
  settings.SetMute(true);
  settings.SetOff(true);
  settings.SetScroll(true);
  settings.SetAppIcon(true);
  settings.SetHint(true);
  settings.SetHintString(u"変換中");
  settings.SetIcon(true);
  settings.SetAlphaBlendValue(80);
  panel.ApplyLoadedState();

  EXPECT_EQ(CheckedSound(panel, true), 5);
  EXPECT_EQ(CheckedSound(panel, false), -1);
  EXPECT_EQ(CheckedPosition(panel), 3);
  EXPECT_TRUE(ToolDown(panel, SettingsPanel::kMuteButton));
  EXPECT_TRUE(ToolDown(panel, SettingsPanel::kOffButton));
  EXPECT_TRUE(ToolDown(panel, SettingsPanel::kScrollButton));
  EXPECT_TRUE(ToolDown(panel, SettingsPanel::kAppIconButton));
  EXPECT_TRUE(SoundGroupEnabled(panel, false));
  EXPECT_TRUE(Checked(panel.Control(Part::HintCheck)));
  EXPECT_EQ(TextOf(panel.Control(Part::HintEdit)), L"変換中");
  EXPECT_TRUE(Checked(panel.Control(Part::IconCheck)));
  EXPECT_TRUE(PositionsEnabled(panel, true));
  EXPECT_TRUE(IsWindowEnabled(panel.Control(Part::OpacitySlider)));
  EXPECT_EQ(TrackPos(panel), 80);
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)\u3000不透明度 80%");
  EXPECT_EQ(Selection(panel), std::make_pair(10L, 80L));
  // Loading makes no sound and sets Settings only to what was assigned.
  EXPECT_TRUE(host.previews.empty());
  EXPECT_EQ(settings.OffWaveIndex(), -1);
  EXPECT_EQ(settings.HintString(), u"変換中");

  // Turning the hint off elsewhere hides a showing hint at once.
  settings.SetHint(false);
  EXPECT_FALSE(Checked(panel.Control(Part::HintCheck)));
  EXPECT_EQ(host.hintHidden, 1);

  // Opacity changed with the icon off: the change shows the opacity caption, but after
  // loading the caption matches the unticked box again.
  settings.SetIcon(false);
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)");
  EXPECT_TRUE(PositionsEnabled(panel, false));
  EXPECT_FALSE(IsWindowEnabled(panel.Control(Part::OpacitySlider)));
  settings.SetAlphaBlendValue(1000);  // clamps to 100
  EXPECT_EQ(TrackPos(panel), 100);
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)\u3000不透明度 100%");
  EXPECT_EQ(Selection(panel), std::make_pair(10L, 100L));
  panel.ApplyLoadedState();
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)");

  settings.SetOff(false);
  EXPECT_TRUE(SoundGroupDisabled(panel, false));
  EXPECT_FALSE(ToolDown(panel, SettingsPanel::kOffButton));
  settings.SetHintString(u"");
  EXPECT_EQ(TextOf(panel.Control(Part::HintEdit)), L"");
}

// Settings already assigned before the panel exists show in the new controls.
TEST(SettingsPanel, ShowsSettingsAssignedBeforeCreation) {
  Settings settings;
  settings.SetWaveIndex(-1);
  settings.SetIcon(true);
  settings.SetAlphaBlendValue(30);
  settings.SetOff(true);
  PanelTestHost host(settings);
  ASSERT_TRUE(host.Open());
  EXPECT_EQ(CheckedSound(host.panel, true), -1);
  EXPECT_TRUE(Checked(host.panel.Control(Part::IconCheck)));
  EXPECT_EQ(TextOf(host.panel.Control(Part::IconCheck)), L"アイコンを表示(&I)\u3000不透明度 30%");
  EXPECT_EQ(Selection(host.panel), std::make_pair(10L, 30L));
  EXPECT_TRUE(SoundGroupEnabled(host.panel, false));
  EXPECT_TRUE(IsWindowEnabled(host.panel.Control(Part::OpacitySlider)));
}

// What the user does in the window reaches Settings at once, with the reactions.
TEST_F(SettingsPanelTest, ClicksUpdateSettingsAndRunTheReactions) {
  host.Show();
  PumpFor(50);

  // Choosing a sound while visible previews it, even when muted.
  ToolClick(host, SettingsPanel::kMuteButton, true);
  EXPECT_TRUE(settings.Mute());
  SendMessageW(panel.SoundItem(true, 3), BM_CLICK, 0, 0);
  EXPECT_EQ(settings.WaveIndex(), 3);
  EXPECT_EQ(CheckedSound(panel, true), 3);
  EXPECT_EQ(host.previews, std::vector<bool>{true});
  // Clicking the chosen sound again is no change and plays nothing.
  SendMessageW(panel.SoundItem(true, 3), BM_CLICK, 0, 0);
  EXPECT_EQ(host.previews.size(), 1u);
  // A programmatic change while visible only shows the choice: the user did not ask to hear it.
  settings.SetWaveIndex(8);
  EXPECT_EQ(CheckedSound(panel, true), 8);
  EXPECT_EQ(host.previews, (std::vector<bool>{true}));
  settings.SetWaveIndex(-1);
  EXPECT_EQ(CheckedSound(panel, true), -1);
  EXPECT_EQ(host.previews.size(), 1u);
  // A click on a sound item previews it.
  SendMessageW(panel.SoundItem(true, 8), BM_CLICK, 0, 0);
  EXPECT_EQ(host.previews, (std::vector<bool>{true, true}));

  // OFF: the OFF group is enabled exactly while the button is down.
  ToolClick(host, SettingsPanel::kOffButton, true);
  EXPECT_TRUE(settings.Off());
  EXPECT_TRUE(SoundGroupEnabled(panel, false));
  SendMessageW(panel.SoundItem(false, 10), BM_CLICK, 0, 0);
  EXPECT_EQ(settings.OffWaveIndex(), 10);
  EXPECT_EQ(host.previews, (std::vector<bool>{true, true, false}));
  ToolClick(host, SettingsPanel::kOffButton, true);
  EXPECT_FALSE(settings.Off());
  EXPECT_TRUE(SoundGroupDisabled(panel, false));
  EXPECT_EQ(CheckedSound(panel, false), 10);  // disabling keeps the choice

  // While hidden a choice plays nothing.
  host.Hide();
  SendMessageW(panel.SoundItem(true, 1), BM_CLICK, 0, 0);
  EXPECT_EQ(settings.WaveIndex(), 1);
  EXPECT_EQ(host.previews.size(), 3u);
  host.Show();

  // The icon box: caption, then the positions and the track bar follow it.
  SendMessageW(panel.Control(Part::IconCheck), BM_CLICK, 0, 0);
  EXPECT_TRUE(settings.Icon());
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)\u3000不透明度 100%");
  EXPECT_TRUE(PositionsEnabled(panel, true));
  EXPECT_TRUE(IsWindowEnabled(panel.Control(Part::OpacitySlider)));
  MoveTrackBar(host, 60);
  EXPECT_EQ(settings.AlphaBlendValue(), 60);
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)\u3000不透明度 60%");
  EXPECT_EQ(Selection(panel), std::make_pair(10L, 60L));
  SendMessageW(panel.PositionItem(2), BM_CLICK, 0, 0);
  EXPECT_EQ(settings.IconPosition(), 2);
  SendMessageW(panel.Control(Part::IconCheck), BM_CLICK, 0, 0);
  EXPECT_FALSE(settings.Icon());
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)");
  EXPECT_TRUE(PositionsEnabled(panel, false));
  EXPECT_FALSE(IsWindowEnabled(panel.Control(Part::OpacitySlider)));
  EXPECT_EQ(settings.AlphaBlendValue(), 60);  // values stay while disabled
  EXPECT_EQ(CheckedPosition(panel), 2);
  SendMessageW(panel.Control(Part::IconCheck), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(panel.Control(Part::IconCheck)), L"アイコンを表示(&I)\u3000不透明度 60%");

  // The hint box: unticking hides a showing hint at once.
  SendMessageW(panel.Control(Part::HintCheck), BM_CLICK, 0, 0);
  EXPECT_TRUE(settings.Hint());
  EXPECT_EQ(host.hintHidden, 0);
  SendMessageW(panel.Control(Part::HintCheck), BM_CLICK, 0, 0);
  EXPECT_FALSE(settings.Hint());
  EXPECT_EQ(host.hintHidden, 1);

  // Typing in the edit box is the hint text at once.
  HWND edit = panel.Control(Part::HintEdit);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"かな入力"));
  EXPECT_EQ(settings.HintString(), u"かな入力");
  SendMessageW(edit, WM_CHAR, L'!', 1);
  EXPECT_EQ(settings.HintString(), u"かな入力!");

  // A real mouse click on toolbar check buttons toggles them and reaches Settings.
  MouseClickTool(host, SettingsPanel::kScrollButton);
  EXPECT_TRUE(settings.Scroll());
  MouseClickTool(host, SettingsPanel::kAppIconButton);
  EXPECT_TRUE(settings.AppIcon());
  MouseClickTool(host, SettingsPanel::kScrollButton);
  EXPECT_FALSE(settings.Scroll());

  // The push buttons reach the host.
  ToolClick(host, SettingsPanel::kCloseButton, false);
  EXPECT_EQ(host.closeRequests, 1);
  EXPECT_EQ(host.hideRequests, 0);
  ToolClick(host, SettingsPanel::kDiagnoseButton, false);
  EXPECT_EQ(host.diagnosisRequests, 1);
  MouseClickTool(host, SettingsPanel::kHideButton);
  EXPECT_EQ(host.hideRequests, 1);
  EXPECT_FALSE(IsWindowVisible(host.hwnd()));
}

// Tab visits the controls in the order of the rows, the designed ones in their designed order;
// access keys are unique and work through the host's loop.
TEST_F(SettingsPanelTest, KeyboardFollowsTheTabOrderAndAccessKeys) {
  settings.SetIcon(true);
  settings.SetOff(true);
  settings.SetOffWaveIndex(4);
  settings.SetIconPosition(1);
  host.Show();
  PumpFor(50);

  // A tab stop per row but the frames: a radio group's at its chosen item.
  std::vector<HWND> expected;
  std::vector<char16_t> keys;
  for (const panel_controls::Description& c : panel_controls::Controls()) {
    if (const char16_t key = captions::AccessKeyOf(c.caption)) keys.push_back(key);
    if (c.kind == panel_controls::Kind::GroupBox) continue;
    const bool radio = c.kind == panel_controls::Kind::RadioGroup;
    expected.push_back(
        GetDlgItem(host.hwnd(), radio ? c.firstItemId + std::max((settings.*c.choice.get)(), 0) : c.id));
  }
  HWND at = expected[0];
  for (std::size_t i = 1; i < expected.size(); ++i) {
    at = GetNextDlgTabItem(host.hwnd(), at, FALSE);
    EXPECT_EQ(at, expected[i]) << "stop " << i;
  }
  EXPECT_EQ(GetNextDlgTabItem(host.hwnd(), at, FALSE), expected[0]);  // and round again
  const HWND designed[] = {
      panel.SoundItem(true, 0),       panel.Control(Part::Toolbar), panel.Control(Part::OpacitySlider),
      panel.Control(Part::IconCheck), panel.PositionItem(1),        panel.SoundItem(false, 4),
      panel.Control(Part::HintCheck), panel.Control(Part::HintEdit)};
  auto next = std::begin(designed);
  for (HWND stop : expected)
    if (next != std::end(designed) && stop == *next) ++next;
  EXPECT_EQ(next, std::end(designed));
  for (const panel_controls::ToolButton& b : panel_controls::ToolButtons())
    if (const char16_t key = captions::AccessKeyOf(b.caption)) keys.push_back(key);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(std::adjacent_find(keys.begin(), keys.end()), keys.end());

  auto sysChar = [&](wchar_t key) {
    MSG msg{};
    msg.hwnd = GetFocus() ? GetFocus() : host.hwnd();
    msg.message = WM_SYSCHAR;
    msg.wParam = key;
    msg.lParam = 0x20000001;  // Alt held
    return host.PreTranslate(msg);
  };
  SetFocus(panel.Control(Part::HintEdit));
  EXPECT_TRUE(sysChar(L'n'));  // the ON group's access key: to its chosen item
  EXPECT_EQ(GetFocus(), panel.SoundItem(true, 0));
  EXPECT_TRUE(sysChar(L'f'));
  EXPECT_EQ(GetFocus(), panel.SoundItem(false, 4));
  EXPECT_TRUE(sysChar(L'p'));
  EXPECT_EQ(GetFocus(), panel.PositionItem(1));
  EXPECT_TRUE(sysChar(L'i'));  // the icon check box toggles
  EXPECT_FALSE(settings.Icon());
  EXPECT_TRUE(sysChar(L'H'));
  EXPECT_TRUE(settings.Hint());
  EXPECT_TRUE(sysChar(L'm'));  // the two input mode check boxes
  EXPECT_TRUE(sysChar(L'A'));
  EXPECT_TRUE(settings.ShowMode() && settings.AlnumOff());
  EXPECT_TRUE(sysChar(L'c'));  // 閉じる(&C)
  EXPECT_EQ(host.hideRequests, 1);
  EXPECT_TRUE(sysChar(L'X'));  // 終了(&X)
  EXPECT_EQ(host.closeRequests, 1);
}

// The panel's font has the Japanese glyphs, whatever the menu font is.
// The list of programs left alone: its edit box is the setting, and the add button appends
// the program in front once.
TEST_F(SettingsPanelTest, TheAddButtonAppendsTheProgramInFrontOnce) {
  host.Show();
  HWND edit = panel.Control(Part::ExcludeEdit);
  SetWindowTextW(edit, L"a.exe");
  EXPECT_EQ(settings.ExcludeApps(), u"a.exe");
  host.foregroundApp = u"Editor.exe";
  for (int i = 0; i < 2; ++i)
    SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                 reinterpret_cast<LPARAM>(panel.Control(Part::AddAppButton)));
  EXPECT_EQ(settings.ExcludeApps(), u"a.exe;Editor.exe");
  EXPECT_EQ(TextOf(edit), L"a.exe;Editor.exe");
}

TEST_F(SettingsPanelTest, FontDrawsJapanese) {
  HDC dc = GetDC(host.hwnd());
  HGDIOBJ old = SelectObject(dc, panel.Font());
  const std::wstring sample = L"音声選択不透明度マウスカーソル付近閉じる終了ニャー";
  std::vector<WORD> glyphs(sample.size());
  ASSERT_EQ(GetGlyphIndicesW(dc, sample.c_str(), static_cast<int>(sample.size()), glyphs.data(),
                             GGI_MARK_NONEXISTING_GLYPHS),
            sample.size());
  for (std::size_t i = 0; i < glyphs.size(); ++i) EXPECT_NE(glyphs[i], 0xFFFF) << "character " << i;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 11);  // em height 11 at 96 DPI
  SelectObject(dc, old);
  ReleaseDC(host.hwnd(), dc);
}

std::wstring FaceOf(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  return lf.lfFaceName;
}

// A menu font without Japanese glyphs (an English system's Segoe UI): the panel takes a face
// that has them, and follows a later change of the menu font.
TEST(SettingsPanel, FallsBackToAJapaneseFaceWhenTheMenuFontLacksIt) {
  NONCLIENTMETRICSW saved{};
  saved.cbSize = sizeof(saved);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(saved), &saved, 0));
  struct Restore {
    NONCLIENTMETRICSW m;
    ~Restore() { SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(m), &m, 0); }
  } restore{saved};
  NONCLIENTMETRICSW western = saved;
  lstrcpynW(western.lfMenuFont.lfFaceName, L"Segoe UI", LF_FACESIZE);
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(western), &western, 0));

  Settings settings;
  PanelTestHost host(settings);
  ASSERT_TRUE(host.Open());
  EXPECT_NE(FaceOf(host.panel.Font()), L"Segoe UI");
  HDC dc = GetDC(host.hwnd());
  HGDIOBJ old = SelectObject(dc, host.panel.Font());
  const std::wstring sample = L"音声選択ミュート";
  std::vector<WORD> glyphs(sample.size());
  GetGlyphIndicesW(dc, sample.c_str(), static_cast<int>(sample.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  for (WORD g : glyphs) EXPECT_NE(g, 0xFFFF);
  SelectObject(dc, old);
  ReleaseDC(host.hwnd(), dc);

  // The menu font changes back: the panel takes its face again and asks for its size.
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(saved), &saved, 0));
  const std::size_t asked = host.wanted.size();
  SendMessageW(host.hwnd(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  EXPECT_EQ(FaceOf(host.panel.Font()), saved.lfMenuFont.lfFaceName);
  EXPECT_EQ(host.wanted.size(), asked + 1);
  EXPECT_EQ(
      FaceOf(reinterpret_cast<HFONT>(SendMessageW(host.panel.Control(Part::HintEdit), WM_GETFONT, 0, 0))),
      saved.lfMenuFont.lfFaceName);
}

RECT RectIn(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}
bool Overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
int CaptionWidth(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const std::wstring text = TextOf(control);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return r.right - r.left;
}

// The real controls at one DPI: bands in order without overlaps, everything inside the
// client area and its group, four columns, captions not clipped, toolbar in one row.
void CheckLayout(PanelTestHost& host, int dpi) {
  SCOPED_TRACE("dpi " + std::to_string(dpi));
  SettingsPanel& p = host.panel;
  HWND parent = host.hwnd();
  const RECT client{0, 0, host.ClientSize().cx, host.ClientSize().cy};
  EXPECT_GE(client.right, ScaleToDpi(474, dpi));
  EXPECT_GE(client.bottom, ScaleToDpi(377, dpi));

  const Part bands[] = {Part::Toolbar,   Part::SoundOnGroup, Part::SoundOffGroup,
                        Part::IconFrame, Part::HintFrame,    Part::ModeFrame};
  LONG lastBottom = 0;
  for (Part b : bands) {
    const RECT r = RectIn(parent, p.Control(b));
    EXPECT_EQ(r.top, lastBottom) << static_cast<int>(b);  // stacked, no gap, no overlap
    EXPECT_GT(r.bottom, r.top);
    EXPECT_TRUE(Inside(r, client));
    lastBottom = r.bottom;
  }
  EXPECT_EQ(lastBottom, client.bottom);  // the input mode band ends the window

  auto checkItems = [&](HWND box, auto item, int count) {
    const RECT group = RectIn(parent, box);
    std::vector<LONG> lefts;
    for (int i = 0; i < count; ++i) {
      HWND w = item(i);
      const RECT r = RectIn(parent, w);
      EXPECT_TRUE(Inside(r, group)) << i;
      EXPECT_GE(r.right - r.left, CheckControlWidth(CaptionWidth(w), ScaleToDpi(13, dpi), dpi)) << i;
      for (int j = 0; j < i; ++j) EXPECT_FALSE(Overlap(r, RectIn(parent, item(j)))) << i << "/" << j;
      if (std::find(lefts.begin(), lefts.end(), r.left) == lefts.end()) lefts.push_back(r.left);
    }
    EXPECT_EQ(lefts.size(), 4u);
  };
  checkItems(
      p.Control(Part::SoundOnGroup), [&](int i) { return p.SoundItem(true, i); }, Settings::kSoundCount);
  checkItems(
      p.Control(Part::SoundOffGroup), [&](int i) { return p.SoundItem(false, i); }, Settings::kSoundCount);
  checkItems(
      p.Control(Part::PositionGroup), [&](int i) { return p.PositionItem(i); }, Settings::kPositionCount);
  // Items run down each column first: カチャ, カタッ, ピィ share the first column.
  EXPECT_EQ(RectIn(parent, p.SoundItem(true, 2)).left, RectIn(parent, p.SoundItem(true, 0)).left);
  EXPECT_GT(RectIn(parent, p.SoundItem(true, 3)).left, RectIn(parent, p.SoundItem(true, 2)).left);

  const RECT icon = RectIn(parent, p.Control(Part::IconFrame));
  const RECT check = RectIn(parent, p.Control(Part::IconCheck));
  const RECT track = RectIn(parent, p.Control(Part::OpacitySlider));
  const RECT pos = RectIn(parent, p.Control(Part::PositionGroup));
  for (const RECT& r : {check, track, pos}) EXPECT_TRUE(Inside(r, icon));
  EXPECT_LE(check.bottom, track.top);
  EXPECT_LE(track.bottom, pos.top);
  // The widest caption the icon box can show fits.
  {
    const std::wstring widest = Wide(captions::OpacityCaption(100));
    HWND c = p.Control(Part::IconCheck);
    const std::wstring before = TextOf(c);
    SetWindowTextW(c, widest.c_str());
    EXPECT_GE(check.right - check.left, CheckControlWidth(CaptionWidth(c), ScaleToDpi(13, dpi), dpi));
    SetWindowTextW(c, before.c_str());
  }

  const RECT hint = RectIn(parent, p.Control(Part::HintFrame));
  const RECT hintCheck = RectIn(parent, p.Control(Part::HintCheck));
  const RECT edit = RectIn(parent, p.Control(Part::HintEdit));
  EXPECT_TRUE(Inside(hintCheck, hint));
  EXPECT_TRUE(Inside(edit, hint));
  EXPECT_LE(hintCheck.bottom, edit.top);
  EXPECT_GE(hintCheck.right - hintCheck.left,
            CheckControlWidth(CaptionWidth(p.Control(Part::HintCheck)), ScaleToDpi(13, dpi), dpi));
  for (Part modeCheck : {Part::ShowModeCheck, Part::AlnumOffCheck}) {
    const RECT r = RectIn(parent, p.Control(modeCheck));
    EXPECT_TRUE(Inside(r, RectIn(parent, p.Control(Part::ModeFrame))));
    EXPECT_GE(r.right - r.left,
              CheckControlWidth(CaptionWidth(p.Control(modeCheck)), ScaleToDpi(13, dpi), dpi));
  }

  // Every toolbar button in one row, inside the toolbar.
  HWND tb = p.Control(Part::Toolbar);
  const RECT bar = RectIn(parent, tb);
  const int count = static_cast<int>(SendMessageW(tb, TB_BUTTONCOUNT, 0, 0));
  RECT first{};
  SendMessageW(tb, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(tb, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.top, first.top) << "button " << i;
    EXPECT_LE(r.right, bar.right - bar.left) << "button " << i;
    EXPECT_LE(r.bottom, bar.bottom - bar.top) << "button " << i;
  }
}

TEST_F(SettingsPanelTest, BandsKeepTheirOrderWithoutOverlapsAt96And144Dpi) {
  host.Show();
  PumpFor(50);
  ASSERT_EQ(panel.Dpi(), 96);
  const SIZE at96 = host.ClientSize();
  CheckLayout(host, 96);

  // Moving to a 144 DPI monitor: the host moves to the suggested rectangle and the panel
  // asks for its new size.
  RECT suggested{};
  GetWindowRect(host.hwnd(), &suggested);
  SendMessageW(host.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(panel.Dpi(), 144);
  const SIZE at144 = host.ClientSize();
  EXPECT_EQ(at144.cx, host.wanted.back().cx);
  EXPECT_EQ(at144.cy, host.wanted.back().cy);
  EXPECT_GT(at144.cx, at96.cx);
  EXPECT_GT(at144.cy, at96.cy);
  CheckLayout(host, 144);
  LOGFONTW lf{};
  GetObjectW(panel.Font(), sizeof(lf), &lf);
  EXPECT_EQ(lf.lfHeight, -17);  // -11 scaled by 1.5, rounded

  // And back: the same size as before, so nothing is left over from the larger font.
  SendMessageW(host.hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(host.ClientSize().cx, at96.cx);
  EXPECT_EQ(host.ClientSize().cy, at96.cy);
  CheckLayout(host, 96);
}

}  // namespace
}  // namespace ruvano
