#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings_window_under_test.h"
#include "ui/settings_captions.h"
#include "ui/win32/app_picker.h"
#include "ui/win32/settings_ids.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

using testing::PumpFor;
using testing::SettingsWindowUnderTest;

std::wstring TextOf(HWND w) {
  wchar_t buffer[256] = {};
  GetWindowTextW(w, buffer, 256);
  return buffer;
}

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The checked item of a sound group (on = ON group), -1 when none, -2 when several.
int CheckedSound(const SettingsWindowUnderTest& p, bool on) {
  int found = -1;
  for (int i = 0; i < Settings::kSoundCount; ++i)
    if (Checked(p.SoundItem(on, i))) found = found == -1 ? i : -2;
  return found;
}
int CheckedPosition(const SettingsWindowUnderTest& p) {
  int found = -1;
  for (int i = 0; i < Settings::kPositionCount; ++i)
    if (Checked(p.PositionItem(i))) found = found == -1 ? i : -2;
  return found;
}
bool SoundGroupEnabled(const SettingsWindowUnderTest& p, bool on) {
  bool all = IsWindowEnabled(p.Item(on ? IDC_SOUND_ON : IDC_SOUND_OFF)) != FALSE;
  for (int i = 0; i < Settings::kSoundCount; ++i) all = all && IsWindowEnabled(p.SoundItem(on, i));
  return all;
}
bool SoundGroupDisabled(const SettingsWindowUnderTest& p, bool on) {
  bool none = !IsWindowEnabled(p.Item(on ? IDC_SOUND_ON : IDC_SOUND_OFF));
  for (int i = 0; i < Settings::kSoundCount; ++i) none = none && !IsWindowEnabled(p.SoundItem(on, i));
  return none;
}
bool PositionsEnabled(const SettingsWindowUnderTest& p, bool enabled) {
  bool same = (IsWindowEnabled(p.Item(IDC_POSITION)) != FALSE) == enabled;
  for (int i = 0; i < Settings::kPositionCount; ++i)
    same = same && (IsWindowEnabled(p.PositionItem(i)) != FALSE) == enabled;
  return same;
}
bool ToolDown(const SettingsWindowUnderTest& p, int id) {
  return SendMessageW(p.Item(IDC_TOOLBAR), TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
}
std::pair<long, long> Selection(const SettingsWindowUnderTest& p) {
  HWND tb = p.Item(IDC_OPACITY);
  return {static_cast<long>(SendMessageW(tb, TBM_GETSELSTART, 0, 0)),
          static_cast<long>(SendMessageW(tb, TBM_GETSELEND, 0, 0))};
}
long TrackPos(const SettingsWindowUnderTest& p) {
  return static_cast<long>(SendMessageW(p.Item(IDC_OPACITY), TBM_GETPOS, 0, 0));
}

// A toolbar button clicked the way the toolbar reports it: a check button toggles, then
// the parent gets WM_COMMAND with the button's id.
void ToolClick(SettingsWindowUnderTest& host, int id, bool check) {
  HWND tb = host.Item(IDC_TOOLBAR);
  if (check) {
    const bool down = SendMessageW(tb, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0;
    SendMessageW(tb, TB_CHECKBUTTON, static_cast<WPARAM>(id), MAKELPARAM(!down, 0));
  }
  SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(tb));
}

// A mouse click on a toolbar button, delivered to the toolbar itself.
void MouseClickTool(SettingsWindowUnderTest& host, int id) {
  HWND tb = host.Item(IDC_TOOLBAR);
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
void MoveTrackBar(SettingsWindowUnderTest& host, long pos) {
  HWND tb = host.Item(IDC_OPACITY);
  SendMessageW(tb, TBM_SETPOS, TRUE, pos);
  SendMessageW(host.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(tb));
}

class SettingsPanelTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Open()); }
  Settings settings;
  SettingsWindowUnderTest host{settings};
  SettingsWindowUnderTest& panel = host;
};

// First start without a settings file: every control shows the designed default.
TEST_F(SettingsPanelTest, StartsInTheDesignedState) {
  EXPECT_EQ(CheckedSound(panel, true), 0);
  EXPECT_EQ(CheckedSound(panel, false), 0);
  EXPECT_TRUE(SoundGroupEnabled(panel, true));
  EXPECT_TRUE(SoundGroupDisabled(panel, false));
  EXPECT_FALSE(Checked(panel.Item(IDC_SHOW_ICON)));
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)");
  EXPECT_TRUE(PositionsEnabled(panel, false));
  EXPECT_FALSE(IsWindowEnabled(panel.Item(IDC_OPACITY)));
  EXPECT_EQ(CheckedPosition(panel), 0);
  EXPECT_FALSE(Checked(panel.Item(IDC_HINT)));
  EXPECT_EQ(TextOf(panel.Item(IDC_HINT_TEXT)), L"IME ON");
  EXPECT_EQ(TrackPos(panel), 100);
  for (int id : {IDC_MUTE, IDC_OFF, IDC_APP_ICON, IDC_SCROLL}) EXPECT_FALSE(ToolDown(panel, id)) << id;

  HWND tb = panel.Item(IDC_OPACITY);
  EXPECT_EQ(SendMessageW(tb, TBM_GETRANGEMIN, 0, 0), 10);
  EXPECT_EQ(SendMessageW(tb, TBM_GETRANGEMAX, 0, 0), 100);
  EXPECT_EQ(SendMessageW(tb, TBM_GETLINESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageW(tb, TBM_GETPAGESIZE, 0, 0), 10);
  EXPECT_EQ(SendMessageW(tb, TBM_GETNUMTICS, 0, 0), 10);  // 10, 20, ... 100
  EXPECT_EQ(Selection(panel).second, 100);                // no change yet: the designed 0..100

  // Captions exactly as designed.
  EXPECT_EQ(TextOf(panel.Item(IDC_SOUND_ON)), L"[音声選択ON(&N)]");
  EXPECT_EQ(TextOf(panel.Item(IDC_SOUND_OFF)), L"[音声選択OFF(&F)]");
  EXPECT_EQ(TextOf(panel.Item(IDC_POSITION)), L"アイコンの位置(&P)");
  EXPECT_EQ(TextOf(panel.Item(IDC_HINT)), L"マウスカーソル付近にヒントを表示(&H)");
  EXPECT_EQ(TextOf(panel.SoundItem(true, 7)), L"ニャー");
  EXPECT_EQ(TextOf(panel.SoundItem(false, 11)), L"ピャッ");
  EXPECT_EQ(TextOf(panel.PositionItem(1)), L"上中央");
  const wchar_t* tools[] = {L"ミュート",   L"OFFにも再生", L"プログラムアイコン",
                            L"Scroll LED", L"閉じる(&C)",  L"終了(&X)"};
  const int ids[] = {IDC_MUTE, IDC_OFF, IDC_APP_ICON, IDC_SCROLL, IDC_HIDE, IDC_CLOSE};
  for (int i = 0; i < 6; ++i) {
    wchar_t text[64] = {};
    SendMessageW(panel.Item(IDC_TOOLBAR), TB_GETBUTTONTEXTW, static_cast<WPARAM>(ids[i]),
                 reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, tools[i]);
  }
  // Six buttons and five separators.
  EXPECT_EQ(SendMessageW(panel.Item(IDC_TOOLBAR), TB_BUTTONCOUNT, 0, 0), 11);

  // Nothing was asked of the program; nothing played while hidden.
  EXPECT_TRUE(host.previews.empty());
  EXPECT_EQ(host.closeRequests, 0);
  EXPECT_FALSE(IsWindowVisible(host.hwnd()));
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
  panel.window->ApplyLoadedState();

  EXPECT_EQ(CheckedSound(panel, true), 5);
  EXPECT_EQ(CheckedSound(panel, false), -1);
  EXPECT_EQ(CheckedPosition(panel), 3);
  EXPECT_TRUE(ToolDown(panel, IDC_MUTE));
  EXPECT_TRUE(ToolDown(panel, IDC_OFF));
  EXPECT_TRUE(ToolDown(panel, IDC_SCROLL));
  EXPECT_TRUE(ToolDown(panel, IDC_APP_ICON));
  EXPECT_TRUE(SoundGroupEnabled(panel, false));
  EXPECT_TRUE(Checked(panel.Item(IDC_HINT)));
  EXPECT_EQ(TextOf(panel.Item(IDC_HINT_TEXT)), L"変換中");
  EXPECT_TRUE(Checked(panel.Item(IDC_SHOW_ICON)));
  EXPECT_TRUE(PositionsEnabled(panel, true));
  EXPECT_TRUE(IsWindowEnabled(panel.Item(IDC_OPACITY)));
  EXPECT_EQ(TrackPos(panel), 80);
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)\u3000不透明度 80%");
  EXPECT_EQ(Selection(panel), std::make_pair(10L, 80L));
  // Loading makes no sound and sets Settings only to what was assigned.
  EXPECT_TRUE(host.previews.empty());
  EXPECT_EQ(settings.OffWaveIndex(), -1);
  EXPECT_EQ(settings.HintString(), u"変換中");

  // Turning the hint off elsewhere hides a showing hint at once.
  settings.SetHint(false);
  EXPECT_FALSE(Checked(panel.Item(IDC_HINT)));
  EXPECT_EQ(host.hintHidden, 1);

  // Opacity changed with the icon off: the change shows the opacity caption, but after
  // loading the caption matches the unticked box again.
  settings.SetIcon(false);
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)");
  EXPECT_TRUE(PositionsEnabled(panel, false));
  EXPECT_FALSE(IsWindowEnabled(panel.Item(IDC_OPACITY)));
  settings.SetAlphaBlendValue(1000);  // clamps to 100
  EXPECT_EQ(TrackPos(panel), 100);
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)\u3000不透明度 100%");
  EXPECT_EQ(Selection(panel), std::make_pair(10L, 100L));
  panel.window->ApplyLoadedState();
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)");

  settings.SetOff(false);
  EXPECT_TRUE(SoundGroupDisabled(panel, false));
  EXPECT_FALSE(ToolDown(panel, IDC_OFF));
  settings.SetHintString(u"");
  EXPECT_EQ(TextOf(panel.Item(IDC_HINT_TEXT)), L"");
}

// Settings already assigned before the panel exists show in the new controls.
TEST(SettingsPanel, ShowsSettingsAssignedBeforeCreation) {
  Settings settings;
  settings.SetWaveIndex(-1);
  settings.SetIcon(true);
  settings.SetAlphaBlendValue(30);
  settings.SetOff(true);
  SettingsWindowUnderTest host(settings);
  ASSERT_TRUE(host.Open());
  EXPECT_EQ(CheckedSound(host, true), -1);
  EXPECT_TRUE(Checked(host.Item(IDC_SHOW_ICON)));
  EXPECT_EQ(TextOf(host.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)\u3000不透明度 30%");
  EXPECT_EQ(Selection(host), std::make_pair(10L, 30L));
  EXPECT_TRUE(SoundGroupEnabled(host, false));
  EXPECT_TRUE(IsWindowEnabled(host.Item(IDC_OPACITY)));
}

// What the user does in the window reaches Settings at once, with the reactions.
TEST_F(SettingsPanelTest, ClicksUpdateSettingsAndRunTheReactions) {
  host.Show();
  PumpFor(50);

  // Choosing a sound while visible previews it, even when muted.
  ToolClick(host, IDC_MUTE, true);
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
  ToolClick(host, IDC_OFF, true);
  EXPECT_TRUE(settings.Off());
  EXPECT_TRUE(SoundGroupEnabled(panel, false));
  SendMessageW(panel.SoundItem(false, 10), BM_CLICK, 0, 0);
  EXPECT_EQ(settings.OffWaveIndex(), 10);
  EXPECT_EQ(host.previews, (std::vector<bool>{true, true, false}));
  ToolClick(host, IDC_OFF, true);
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
  SendMessageW(panel.Item(IDC_SHOW_ICON), BM_CLICK, 0, 0);
  EXPECT_TRUE(settings.Icon());
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)\u3000不透明度 100%");
  EXPECT_TRUE(PositionsEnabled(panel, true));
  EXPECT_TRUE(IsWindowEnabled(panel.Item(IDC_OPACITY)));
  MoveTrackBar(host, 60);
  EXPECT_EQ(settings.AlphaBlendValue(), 60);
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)\u3000不透明度 60%");
  EXPECT_EQ(Selection(panel), std::make_pair(10L, 60L));
  SendMessageW(panel.PositionItem(2), BM_CLICK, 0, 0);
  EXPECT_EQ(settings.IconPosition(), 2);
  SendMessageW(panel.Item(IDC_SHOW_ICON), BM_CLICK, 0, 0);
  EXPECT_FALSE(settings.Icon());
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)");
  EXPECT_TRUE(PositionsEnabled(panel, false));
  EXPECT_FALSE(IsWindowEnabled(panel.Item(IDC_OPACITY)));
  EXPECT_EQ(settings.AlphaBlendValue(), 60);  // values stay while disabled
  EXPECT_EQ(CheckedPosition(panel), 2);
  SendMessageW(panel.Item(IDC_SHOW_ICON), BM_CLICK, 0, 0);
  EXPECT_EQ(TextOf(panel.Item(IDC_SHOW_ICON)), L"アイコンを表示(&I)\u3000不透明度 60%");

  // The hint box: unticking hides a showing hint at once.
  SendMessageW(panel.Item(IDC_HINT), BM_CLICK, 0, 0);
  EXPECT_TRUE(settings.Hint());
  EXPECT_EQ(host.hintHidden, 0);
  SendMessageW(panel.Item(IDC_HINT), BM_CLICK, 0, 0);
  EXPECT_FALSE(settings.Hint());
  EXPECT_EQ(host.hintHidden, 1);

  // Typing in the edit box is the hint text at once.
  HWND edit = panel.Item(IDC_HINT_TEXT);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"かな入力"));
  EXPECT_EQ(settings.HintString(), u"かな入力");
  SendMessageW(edit, WM_CHAR, L'!', 1);
  EXPECT_EQ(settings.HintString(), u"かな入力!");

  // A real mouse click on toolbar check buttons toggles them and reaches Settings.
  MouseClickTool(host, IDC_SCROLL);
  EXPECT_TRUE(settings.Scroll());
  MouseClickTool(host, IDC_APP_ICON);
  EXPECT_TRUE(settings.AppIcon());
  MouseClickTool(host, IDC_SCROLL);
  EXPECT_FALSE(settings.Scroll());

  // The push buttons: the diagnosis button asks the program, the hide button hides the
  // window, the quit button closes it.
  SendMessageW(panel.Item(IDC_DIAGNOSE), BM_CLICK, 0, 0);
  EXPECT_EQ(host.diagnosisRequests, 1);
  MouseClickTool(host, IDC_HIDE);
  EXPECT_FALSE(IsWindowVisible(host.hwnd()));
  EXPECT_EQ(host.closeRequests, 0);
  ToolClick(host, IDC_CLOSE, false);
  PumpFor(50);
  EXPECT_EQ(host.closeRequests, 1);
  EXPECT_EQ(host.hwnd(), nullptr);
}

// Tab visits the controls in the order of the rows, the designed ones in their designed order;
// access keys are unique and work through the host's loop.
TEST_F(SettingsPanelTest, KeyboardFollowsTheTabOrderAndAccessKeys) {
  settings.SetIcon(true);
  settings.SetOff(true);
  settings.SetOffWaveIndex(4);
  settings.SetIconPosition(1);
  settings.SetIconSize(1);
  host.Show();
  PumpFor(50);

  // A tab stop per control but the frames, in the designed order with the later ones after
  // them; a radio group's at its chosen item.
  const int stops[] = {IDC_SOUND_ON_FIRST,
                       IDC_TOOLBAR,
                       IDC_OPACITY,
                       IDC_SHOW_ICON,
                       IDC_POSITION_FIRST + 1,
                       IDC_ICON_SIZE_FIRST + 1,
                       IDC_NEAR_CARET,
                       IDC_SOUND_OFF_FIRST + 4,
                       IDC_HINT,
                       IDC_HINT_TEXT,
                       IDC_SHOW_MODE,
                       IDC_ALNUM_OFF,
                       IDC_EXCLUDE_APPS,
                       IDC_ADD_APP,
                       IDC_IME_OFF_APPS,
                       IDC_ADD_IME_OFF,
                       IDC_IME_ON_APPS,
                       IDC_ADD_IME_ON,
                       IDC_QUIET_FULL_SCREEN,
                       IDC_SIGN_IN,
                       IDC_REMEMBER_IME,
                       IDC_DIAGNOSE};
  std::vector<HWND> expected;
  for (int id : stops) expected.push_back(panel.Item(id));
  HWND at = expected[0];
  for (std::size_t i = 1; i < expected.size(); ++i) {
    at = GetNextDlgTabItem(host.hwnd(), at, FALSE);
    EXPECT_EQ(at, expected[i]) << "stop " << i;
  }
  EXPECT_EQ(GetNextDlgTabItem(host.hwnd(), at, FALSE), expected[0]);  // and round again
  // Every access key, of the controls and of the toolbar's buttons, is unique.
  std::vector<wchar_t> keys;
  auto addKey = [&](const std::wstring& caption) {
    const std::size_t amp = caption.find(L'&');
    if (amp != std::wstring::npos && amp + 1 < caption.size()) keys.push_back(towupper(caption[amp + 1]));
  };
  for (HWND child = GetWindow(host.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    addKey(TextOf(child));
  for (int id = IDC_MUTE; id <= IDC_CLOSE; ++id) {
    wchar_t text[64] = {};
    SendMessageW(panel.Item(IDC_TOOLBAR), TB_GETBUTTONTEXTW, static_cast<WPARAM>(id),
                 reinterpret_cast<LPARAM>(text));
    addKey(text);
  }
  EXPECT_GE(keys.size(), 14u);
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
  SetFocus(panel.Item(IDC_HINT_TEXT));
  EXPECT_TRUE(sysChar(L'n'));  // the ON group's access key: to its chosen item
  EXPECT_EQ(GetFocus(), panel.SoundItem(true, 0));
  EXPECT_TRUE(sysChar(L'f'));
  EXPECT_EQ(GetFocus(), panel.SoundItem(false, 4));
  EXPECT_TRUE(sysChar(L'p'));
  EXPECT_EQ(GetFocus(), panel.PositionItem(1));
  EXPECT_TRUE(sysChar(L'z'));
  EXPECT_EQ(GetFocus(), panel.Item(IDC_ICON_SIZE_FIRST + 1));
  EXPECT_TRUE(sysChar(L'i'));  // the icon check box toggles
  EXPECT_FALSE(settings.Icon());
  EXPECT_TRUE(sysChar(L'H'));
  EXPECT_TRUE(settings.Hint());
  EXPECT_TRUE(sysChar(L'm'));  // the two input mode check boxes
  EXPECT_TRUE(sysChar(L'A'));
  EXPECT_TRUE(settings.ShowMode() && settings.AlnumOff());
  EXPECT_TRUE(sysChar(L'c'));  // 閉じる(&C)
  EXPECT_FALSE(IsWindowVisible(host.hwnd()));
  EXPECT_TRUE(sysChar(L'X'));  // 終了(&X)
  PumpFor(50);
  EXPECT_EQ(host.closeRequests, 1);
}

// The panel's font has the Japanese glyphs, whatever the menu font is.
// The list of programs left alone: its edit box is the setting; the add button offers the
// fake target by its image name and title, not this program, and appends the one chosen once.
TEST_F(SettingsPanelTest, TheAddButtonAppendsTheProgramChosenFromItsMenuOnce) {
  testing::FakeImeTarget target;
  ASSERT_TRUE(target.Start(L"Picker & target"));
  host.Show();
  HWND edit = panel.Item(IDC_EXCLUDE_APPS);
  SetWindowTextW(edit, L"a.exe");
  EXPECT_EQ(settings.ExcludeApps(), u"a.exe");
  std::vector<AppChoice> offer;
  auto at = [&] {
    return std::find_if(offer.begin(), offer.end(),
                        [](auto& c) { return c.imageName == u"fake_ime_target.exe"; });
  };
  ASSERT_TRUE(testing::WaitUntil([&] { return offer = OfferedApps(u"a.exe"), at() != offer.end(); }, 5000));
  EXPECT_EQ(at()->title, u"Picker & target");
  for (const AppChoice& c : offer) EXPECT_NE(c.imageName, u"ruvano_wine_tests.exe");  // not our own
  for (int i = 0; i < 2; ++i) {
    // The menu's own loop reads the keys: down to the target's item, then Enter.
    for (auto n = at() - offer.begin(); n >= 0; --n) PostMessageW(host.hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(host.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(host.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_ADD_APP, BN_CLICKED),
                 reinterpret_cast<LPARAM>(panel.Item(IDC_ADD_APP)));
  }
  EXPECT_EQ(settings.ExcludeApps(), u"a.exe;fake_ime_target.exe");
  EXPECT_EQ(TextOf(edit), L"a.exe;fake_ime_target.exe");
}

HFONT FontOf(HWND wnd) { return reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)); }

TEST_F(SettingsPanelTest, FontDrawsJapanese) {
  HDC dc = GetDC(host.hwnd());
  HGDIOBJ old = SelectObject(dc, FontOf(host.hwnd()));
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

// A menu font without Japanese glyphs (an English system's Segoe UI): the window takes a face
// that has them.
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
  SettingsWindowUnderTest host(settings);
  ASSERT_TRUE(host.Open());
  EXPECT_NE(FaceOf(FontOf(host.hwnd())), L"Segoe UI");
  EXPECT_EQ(FontOf(host.Item(IDC_HINT_TEXT)), FontOf(host.hwnd()));
  HDC dc = GetDC(host.hwnd());
  HGDIOBJ old = SelectObject(dc, FontOf(host.hwnd()));
  const std::wstring sample = L"音声選択ミュート";
  std::vector<WORD> glyphs(sample.size());
  GetGlyphIndicesW(dc, sample.c_str(), static_cast<int>(sample.size()), glyphs.data(),
                   GGI_MARK_NONEXISTING_GLYPHS);
  for (WORD g : glyphs) EXPECT_NE(g, 0xFFFF);
  SelectObject(dc, old);
  ReleaseDC(host.hwnd(), dc);
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

// What a check box or radio button needs to show a caption of the given width in full: the
// box, the gap after it, the text and room for the focus rectangle, at the window's DPI.
int CheckControlWidth(int textWidth, int dpi) {
  return MulDiv(13 + 6, dpi, 96) + textWidth + MulDiv(4, dpi, 96);
}

// The real controls: bands in order without overlaps (the dialog units round each to the
// pixel, by one at most), everything inside the client area and its group, four columns,
// captions not clipped, toolbar in one row.
void CheckLayout(SettingsWindowUnderTest& host, int dpi) {
  SCOPED_TRACE("dpi " + std::to_string(dpi));
  SettingsWindowUnderTest& p = host;
  HWND parent = host.hwnd();
  RECT client{};
  GetClientRect(parent, &client);
  EXPECT_GE(client.right, MulDiv(474, dpi, 96));
  EXPECT_GE(client.bottom, MulDiv(377, dpi, 96));

  const int bands[] = {IDC_TOOLBAR,    IDC_SOUND_ON,   IDC_SOUND_OFF,
                       IDC_ICON_FRAME, IDC_HINT_FRAME, IDC_MODE_FRAME};
  LONG lastBottom = 0;
  for (int b : bands) {
    const RECT r = RectIn(parent, p.Item(b));
    EXPECT_NEAR(r.top, lastBottom, 1) << b;  // stacked, no gap, no overlap
    EXPECT_GT(r.bottom, r.top);
    EXPECT_TRUE(Inside(r, client));
    lastBottom = r.bottom;
  }
  EXPECT_NEAR(lastBottom, client.bottom, 1);  // the input mode band ends the window

  auto checkItems = [&](HWND box, auto item, int count) {
    const RECT group = RectIn(parent, box);
    std::vector<LONG> lefts;
    for (int i = 0; i < count; ++i) {
      HWND w = item(i);
      const RECT r = RectIn(parent, w);
      EXPECT_TRUE(Inside(r, group)) << i;
      EXPECT_GE(r.right - r.left, CheckControlWidth(CaptionWidth(w), dpi)) << i;
      for (int j = 0; j < i; ++j) EXPECT_FALSE(Overlap(r, RectIn(parent, item(j)))) << i << "/" << j;
      if (std::find(lefts.begin(), lefts.end(), r.left) == lefts.end()) lefts.push_back(r.left);
    }
    EXPECT_EQ(lefts.size(), static_cast<std::size_t>(std::min(count, 4)));  // side by side in four columns
  };
  checkItems(
      p.Item(IDC_SOUND_ON), [&](int i) { return p.SoundItem(true, i); }, Settings::kSoundCount);
  checkItems(
      p.Item(IDC_SOUND_OFF), [&](int i) { return p.SoundItem(false, i); }, Settings::kSoundCount);
  checkItems(
      p.Item(IDC_POSITION), [&](int i) { return p.PositionItem(i); }, Settings::kPositionCount);
  checkItems(
      p.Item(IDC_ICON_SIZE), [&](int i) { return p.Item(IDC_ICON_SIZE_FIRST + i); },
      Settings::kIconSizeCount);
  // Items run down each column first: カチャ, カタッ, ピィ share the first column.
  EXPECT_EQ(RectIn(parent, p.SoundItem(true, 2)).left, RectIn(parent, p.SoundItem(true, 0)).left);
  EXPECT_GT(RectIn(parent, p.SoundItem(true, 3)).left, RectIn(parent, p.SoundItem(true, 2)).left);

  const RECT icon = RectIn(parent, p.Item(IDC_ICON_FRAME));
  const RECT check = RectIn(parent, p.Item(IDC_SHOW_ICON));
  const RECT track = RectIn(parent, p.Item(IDC_OPACITY));
  const RECT pos = RectIn(parent, p.Item(IDC_POSITION));
  const RECT size = RectIn(parent, p.Item(IDC_ICON_SIZE));
  for (const RECT& r : {check, track, pos, size}) EXPECT_TRUE(Inside(r, icon));
  EXPECT_LE(check.bottom, track.top);
  EXPECT_LE(track.bottom, pos.top);
  EXPECT_LE(pos.right, size.left);
  for (int i = 0; i < Settings::kIconSizeCount; ++i) {
    HWND item = p.Item(IDC_ICON_SIZE_FIRST + i);
    EXPECT_TRUE(Inside(RectIn(parent, item), size)) << i;
    EXPECT_GE(RectIn(parent, item).right - RectIn(parent, item).left,
              CheckControlWidth(CaptionWidth(item), dpi));
  }
  // The widest caption the icon box can show fits, beside the caret check box.
  {
    HWND c = p.Item(IDC_SHOW_ICON);
    const std::wstring before = TextOf(c);
    SetWindowTextW(c, L"アイコンを表示(&I)\u3000不透明度 100%");
    EXPECT_GE(check.right - check.left, CheckControlWidth(CaptionWidth(c), dpi));
    SetWindowTextW(c, before.c_str());
    const RECT caret = RectIn(parent, p.Item(IDC_NEAR_CARET));
    EXPECT_FALSE(Overlap(check, caret));
    EXPECT_TRUE(Inside(caret, icon));
    EXPECT_GE(caret.right - caret.left, CheckControlWidth(CaptionWidth(p.Item(IDC_NEAR_CARET)), dpi));
  }

  const RECT hint = RectIn(parent, p.Item(IDC_HINT_FRAME));
  const RECT hintCheck = RectIn(parent, p.Item(IDC_HINT));
  const RECT edit = RectIn(parent, p.Item(IDC_HINT_TEXT));
  EXPECT_TRUE(Inside(hintCheck, hint));
  EXPECT_TRUE(Inside(edit, hint));
  EXPECT_LE(hintCheck.bottom, edit.top);
  EXPECT_GE(hintCheck.right - hintCheck.left, CheckControlWidth(CaptionWidth(p.Item(IDC_HINT)), dpi));
  const RECT mode = RectIn(parent, p.Item(IDC_MODE_FRAME));
  for (int modeCheck : {IDC_SHOW_MODE, IDC_ALNUM_OFF, IDC_QUIET_FULL_SCREEN, IDC_SIGN_IN, IDC_REMEMBER_IME}) {
    const RECT r = RectIn(parent, p.Item(modeCheck));
    EXPECT_TRUE(Inside(r, mode)) << modeCheck;
    EXPECT_GE(r.right - r.left, CheckControlWidth(CaptionWidth(p.Item(modeCheck)), dpi)) << modeCheck;
  }
  const RECT note = RectIn(parent, p.Item(IDC_SIGN_IN_NOTE));
  EXPECT_TRUE(Inside(note, mode) && note.top >= RectIn(parent, p.Item(IDC_SIGN_IN)).bottom);
  EXPECT_GE(note.right - note.left, CaptionWidth(p.Item(IDC_SIGN_IN_NOTE)));

  // Every edit box shows a whole line of its font, descenders included.
  for (int id : {IDC_HINT_TEXT, IDC_EXCLUDE_APPS, IDC_IME_OFF_APPS, IDC_IME_ON_APPS}) {
    HWND box = p.Item(id);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    RECT inside{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&inside));
    RECT r{};
    GetClientRect(box, &r);
    EXPECT_GE(inside.bottom - inside.top, tm.tmHeight) << id;
    EXPECT_LE(inside.bottom, r.bottom) << id;
  }

  // Every toolbar button in one row, inside the toolbar.
  HWND tb = p.Item(IDC_TOOLBAR);
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

// At the system's DPI (a monitor of another scale is Windows' own to scale the dialog for).
TEST_F(SettingsPanelTest, BandsKeepTheirOrderWithoutOverlaps) {
  host.Show();
  PumpFor(50);
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  CheckLayout(host, dpi);
}

}  // namespace
}  // namespace ruvano
