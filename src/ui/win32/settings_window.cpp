#include "ui/win32/settings_window.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "monitor/excluded_apps.h"
#include "ui/settings_captions.h"
#include "ui/win32/app_picker.h"
#include "ui/win32/japanese_face.h"
#include "zeq/win32/failure_report.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/placement_win32.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

namespace {

// The controls and what each edits. A check box and a toolbar check button edit a flag, a
// radio group (from its first item on) and the track bar a number, an edit box a text; a
// plain control edits nothing but has its id here all the same, so that no id is taken twice.
enum class Kind { Plain, Check, Tool, Radio, Slider, Edit };

struct Control {
  int id;
  Kind kind = Kind::Plain;
  SettingField field{};
  int count = 1;  // the ids a control takes: a radio group's items
  bool SettingValues::*flag = nullptr;
  void (Settings::*setFlag)(bool) = nullptr;
  std::int32_t SettingValues::*number = nullptr;
  void (Settings::*setNumber)(std::int32_t) = nullptr;
  Text SettingValues::*text = nullptr;
  void (Settings::*setText)(Text) = nullptr;
};

// clang-format off
#define RUVANO_FLAG(id, kind, name) \
  Control{id, kind, SettingField::name, 1, &SettingValues::name, &Settings::Set##name}
#define RUVANO_NUMBER(id, kind, name, count) \
  Control{id, kind, SettingField::name, count, nullptr, nullptr, &SettingValues::name, &Settings::Set##name}
#define RUVANO_TEXT(id, name) Control{id, Kind::Edit, SettingField::name, 1, nullptr, nullptr, nullptr, nullptr, \
                                      &SettingValues::name, &Settings::Set##name}
constexpr Control kControls[] = {
    RUVANO_FLAG(IDC_MUTE, Kind::Tool, Mute),
    RUVANO_FLAG(IDC_OFF, Kind::Tool, Off),
    RUVANO_FLAG(IDC_APP_ICON, Kind::Tool, AppIcon),
    RUVANO_FLAG(IDC_SCROLL, Kind::Tool, Scroll),
    RUVANO_NUMBER(IDC_SOUND_ON_FIRST, Kind::Radio, WaveIndex, Settings::kSoundCount),
    RUVANO_NUMBER(IDC_SOUND_OFF_FIRST, Kind::Radio, OffWaveIndex, Settings::kSoundCount),
    RUVANO_FLAG(IDC_SHOW_ICON, Kind::Check, Icon),
    RUVANO_NUMBER(IDC_OPACITY, Kind::Slider, AlphaBlendValue, 1),
    RUVANO_NUMBER(IDC_POSITION_FIRST, Kind::Radio, IconPosition, Settings::kPositionCount),
    RUVANO_NUMBER(IDC_ICON_SIZE_FIRST, Kind::Radio, IconSize, Settings::kIconSizeCount),
    RUVANO_FLAG(IDC_NEAR_CARET, Kind::Check, NearCaret),
    RUVANO_FLAG(IDC_HINT, Kind::Check, Hint),
    RUVANO_TEXT(IDC_HINT_TEXT, HintString),
    RUVANO_FLAG(IDC_SHOW_MODE, Kind::Check, ShowMode),
    RUVANO_FLAG(IDC_ALNUM_OFF, Kind::Check, AlnumOff),
    RUVANO_TEXT(IDC_EXCLUDE_APPS, ExcludeApps),
    RUVANO_FLAG(IDC_QUIET_FULL_SCREEN, Kind::Check, QuietFullScreen),
    RUVANO_TEXT(IDC_IME_OFF_APPS, ImeOffApps),
    RUVANO_TEXT(IDC_IME_ON_APPS, ImeOnApps),
    RUVANO_FLAG(IDC_REMEMBER_IME, Kind::Check, RememberIme),
    {IDC_TOOLBAR}, {IDC_DIAGNOSE}, {IDC_HIDE}, {IDC_CLOSE}, {IDC_SOUND_ON}, {IDC_SOUND_OFF}, {IDC_ICON_FRAME}, {IDC_POSITION},
    {IDC_ICON_SIZE},
    {IDC_HINT_FRAME}, {IDC_MODE_FRAME}, {IDC_EXCLUDE_FRAME}, {IDC_ADD_APP}, {IDC_SIGN_IN}, {IDC_SIGN_IN_NOTE},
    {IDS_OPACITY}, {IDS_NO_APPS}, {IDS_COPY_ALL}, {IDC_IME_OFF_FRAME}, {IDC_ADD_IME_OFF}, {IDC_IME_ON_FRAME}, {IDC_ADD_IME_ON},
};
#undef RUVANO_FLAG
#undef RUVANO_NUMBER
#undef RUVANO_TEXT
// clang-format on

constexpr bool IdsAreUnique() {
  for (const Control& a : kControls)
    for (const Control& b : kControls)
      if (&a != &b && a.id < b.id + b.count && b.id < a.id + a.count) return false;
  return true;
}
static_assert(IdsAreUnique(), "two controls of the settings window share an id");

const Control* ControlOf(int id) {
  for (const Control& c : kControls)
    if (c.kind != Kind::Plain && id >= c.id && id < c.id + c.count) return &c;
  return nullptr;
}

// The add buttons of the lists of programs: each appends the program the user picks from its
// menu to its list.
struct AppListButton {
  int id;
  Text SettingValues::*list;
  void (Settings::*setList)(Text);
};
constexpr AppListButton kAppListButtons[] = {
    {IDC_ADD_APP, &SettingValues::ExcludeApps, &Settings::SetExcludeApps},
    {IDC_ADD_IME_OFF, &SettingValues::ImeOffApps, &Settings::SetImeOffApps},
    {IDC_ADD_IME_ON, &SettingValues::ImeOnApps, &Settings::SetImeOnApps},
};

// The toolbar, left to right: a button's id, or a separator of minus that width in dialog units.
constexpr int kToolBar[] = {IDC_MUTE, IDC_OFF,  -8, IDC_APP_ICON, -8, IDC_SCROLL,
                            -8,       IDC_HIDE, -8, IDC_CLOSE,    -4};

// Sets a flag for as long as it lives, then back to what it was.
struct FlagGuard {
  bool& flag;
  bool was = std::exchange(flag, true);
  ~FlagGuard() { flag = was; }
};

std::wstring LoadText(int id) {
  const wchar_t* text = nullptr;
  const int length =
      ::LoadStringW(::GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring TextOf(HWND wnd) {  // both calls answer 0, never less, when they fail
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(wnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Sets the text only when it differs, so that an unchanged caption does not flicker.
void ShowText(HWND wnd, const std::wstring& text) {
  if (wnd && TextOf(wnd) != text) ::SetWindowTextW(wnd, text.c_str());
}

// The window's face: the Japanese UI face for every character of the captions.
std::wstring WindowFace() {
  std::wstring sample;
  for (const Control& c : kControls)
    for (int id = c.id; id < c.id + c.count; ++id)
      for (wchar_t ch : LoadText(id))
        if (ch >= 0x80 && sample.find(ch) == std::wstring::npos) sample.push_back(ch);
  return JapaneseUiFace(sample);
}

// A copy of the program that runs with higher rights than the user's other programs would
// otherwise never hear the "/Show" request of a copy the user starts.
void AcceptCopyDataFromLowerRights(HWND wnd) noexcept {
  using Fn = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
  static LazyProc<Fn> changeFilter(L"user32.dll", "ChangeWindowMessageFilterEx");
  if (changeFilter) changeFilter.get()(wnd, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
}

}  // namespace

SettingsWindow::SettingsWindow(Settings& settings, Events events, HWND applicationWindow)
    : settings_(settings), events_(std::move(events)), applicationWindow_(applicationWindow) {}

SettingsWindow::~SettingsWindow() {
  // The settings stop reporting to the window, and the window goes with none of its handlers
  // running.
  subscription_.Reset();
  if (HWND wnd = std::exchange(hwnd_, nullptr)) {
    ::SetWindowLongPtrW(wnd, DWLP_USER, 0);
    ::DestroyWindow(wnd);
  }
}

std::unique_ptr<SettingsWindow> SettingsWindow::Create(Settings& settings, Events events,
                                                       HWND applicationWindow) noexcept {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!::GetClassInfoExW(instance, kClassName, &wc)) {
    // The dialog's own class, named by the template, so that "/Show" finds the window by it.
    wc.lpfnWndProc = ::DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    wc.hIcon = ::LoadIconW(instance, L"MAINICON");  // the small one comes from the same group
    if (!::RegisterClassExW(&wc)) return nullptr;
  }
  std::unique_ptr<SettingsWindow> window;
  std::vector<BYTE> dialog;
  try {
    window.reset(new SettingsWindow(settings, std::move(events), applicationWindow));
    dialog = DialogTemplateWithFace(IDD_SETTINGS, WindowFace());
  } catch (...) {
    return nullptr;
  }
  if (dialog.empty()) return nullptr;
  // A per-monitor aware dialog is scaled for its monitor by Windows 10 1703 and later; older
  // systems draw it at the system's DPI.
  ::CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), applicationWindow,
                               &SettingsWindow::DialogProc, reinterpret_cast<LPARAM>(window.get()));
  if (!window->hwnd_ || !window->Item(IDC_TOOLBAR) || !window->Item(IDC_OPACITY)) {
    ReportFailure(L"the settings window's controls could not be created");
    return nullptr;
  }
  return window;
}

INT_PTR CALLBACK SettingsWindow::DialogProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_INITDIALOG) ::SetWindowLongPtrW(wnd, DWLP_USER, lp);
  auto* self = reinterpret_cast<SettingsWindow*>(::GetWindowLongPtrW(wnd, DWLP_USER));
  if (!self) return FALSE;
  if (msg == WM_INITDIALOG) self->hwnd_ = wnd;
  bool handled = false;
  try {
    handled = self->HandleMessage(msg, wp, lp);
  } catch (...) {
    // Dropped on purpose: a failing handler must never take the resident program down.
    ReportFailure(L"a handler of the settings window failed; the default one answered");
  }
  if (msg == WM_NCDESTROY) {
    ::SetWindowLongPtrW(wnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  return handled ? TRUE : FALSE;
}

void SettingsWindow::Show() {
  if (!hwnd_) return;
  ::ShowWindow(hwnd_, SW_SHOW);
  ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool SettingsWindow::PreTranslateMessage(MSG& msg) {
  if (!hwnd_) return false;
  // The toolbar's buttons are no dialog controls: Alt and the key after a button's "&" is its
  // click, as the toolbar maps it.
  HWND toolBar = Item(IDC_TOOLBAR);
  UINT id = 0;
  if (msg.message == WM_SYSCHAR && (msg.hwnd == hwnd_ || ::IsChild(hwnd_, msg.hwnd)) &&
      ::SendMessageW(toolBar, TB_MAPACCELERATORW, msg.wParam, reinterpret_cast<LPARAM>(&id)) &&
      ::IsWindowEnabled(toolBar) && ::SendMessageW(toolBar, TB_ISBUTTONENABLED, id, 0)) {
    OnCommand(static_cast<int>(id), BN_CLICKED);
    return true;
  }
  return ::IsDialogMessageW(hwnd_, &msg) != FALSE;
}

bool SettingsWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG: OnInitDialog(); return true;  // the first control takes the focus
    case WM_SHOWWINDOW:
      if (wp) OnShow();
      return false;
    case WM_MOVE: FollowWindowPosition(); return false;
    case WM_COPYDATA:
      if (events_.copyData) events_.copyData(lp);
      return true;
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp)); return true;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lp) != Item(IDC_OPACITY)) return false;
      settings_.SetAlphaBlendValue(
          static_cast<std::int32_t>(::SendMessageW(Item(IDC_OPACITY), TBM_GETPOS, 0, 0)));
      return true;
    case WM_CLOSE:
      // Every close path ends here (the quit button, the title bar, Alt+F4, the system menu, another
      // program's WM_CLOSE). The close is always allowed; as the main window, its end ends the program.
      if (events_.closing) events_.closing();
      ::DestroyWindow(hwnd_);
      return true;
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
      // The end of the logon is the application window's to handle, whichever window hears of it.
      ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT,
                          applicationWindow_ ? ::SendMessageW(applicationWindow_, msg, wp, lp) : TRUE);
      return true;
    case WM_DESTROY: ::PostQuitMessage(0); return false;
    default: return false;
  }
}

void SettingsWindow::OnInitDialog() {
  ::SetWindowTextW(hwnd_, kCaption);
  // The window cannot be resized, minimised or maximised: its system menu offers Move and
  // Close only.
  if (HMENU menu = ::GetSystemMenu(hwnd_, FALSE))
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
      ::DeleteMenu(menu, command, MF_BYCOMMAND);
  AcceptCopyDataFromLowerRights(hwnd_);
  for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    if (const std::wstring caption = LoadText(::GetDlgCtrlID(child)); !caption.empty())
      ::SetWindowTextW(child, caption.c_str());

  FillToolBar();
  if (HWND trackBar = Item(IDC_OPACITY)) {
    RECT thumb{0, 0, 0, 7};  // as long as the font is high
    ::MapDialogRect(hwnd_, &thumb);
    ::SendMessageW(trackBar, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb.bottom), 0);
    ::SendMessageW(trackBar, TBM_SETRANGE, FALSE, MAKELPARAM(Settings::kMinAlpha, Settings::kMaxAlpha));
    ::SendMessageW(trackBar, TBM_SETLINESIZE, 0, 10);
    ::SendMessageW(trackBar, TBM_SETPAGESIZE, 0, 10);
    ::SendMessageW(trackBar, TBM_SETTICFREQ, 10, 0);
    ::SendMessageW(trackBar, TBM_SETTIPSIDE, TBTS_TOP, 0);
    // The selection shows 0..100 until the first change narrows it to 10..position, also a
    // change made before the window.
    ::SendMessageW(trackBar, TBM_SETSEL, TRUE, MAKELPARAM(0, Settings::kMaxAlpha));
  }
  if (settings_.AlphaBlendValue() != SettingValues{}.AlphaBlendValue)
    OnSettingChanged(SettingField::AlphaBlendValue);
  {
    FlagGuard updating{updating_};
    for (int f = 0; f < kSettingFieldCount; ++f) ShowValue(static_cast<SettingField>(f));
  }
  ApplyLoadedState();
  subscription_ = settings_.Subscribe([this](SettingField field) { OnSettingChanged(field); });

  // The last band ends the window, to the pixel that dialog units round its bottom to.
  RECT window{}, client{}, last{};
  ::GetWindowRect(hwnd_, &window);
  ::GetClientRect(hwnd_, &client);
  ::GetWindowRect(Item(IDC_MODE_FRAME), &last);
  ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&last), 2);
  ::SetWindowPos(hwnd_, nullptr, settings_.Left(), settings_.Top(), window.right - window.left,
                 window.bottom - window.top + last.bottom - client.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
  EnsureWindowOnScreen(hwnd_);
  FollowWindowPosition();
}

void SettingsWindow::FillToolBar() {
  HWND toolBar = Item(IDC_TOOLBAR);
  ::SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  ::SendMessageW(toolBar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
  ::SendMessageW(toolBar, TB_SETIMAGELIST, 0, 0);
  ::SendMessageW(toolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  ::SendMessageW(toolBar, TB_SETMAXTEXTROWS, 1, 0);
  std::vector<std::wstring> captions;
  for (int id : kToolBar) captions.push_back(LoadText(id));
  std::vector<TBBUTTON> buttons;
  for (std::size_t i = 0; i < std::size(kToolBar); ++i) {
    TBBUTTON b{};
    const int id = kToolBar[i];
    RECT separator{0, 0, -id, 0};
    ::MapDialogRect(hwnd_, &separator);
    b.iBitmap = id < 0 ? separator.right : I_IMAGENONE;
    b.idCommand = std::max(id, 0);
    b.fsStyle = static_cast<BYTE>(
        id < 0 ? BTNS_SEP : (ControlOf(id) ? BTNS_CHECK : BTNS_BUTTON) | BTNS_AUTOSIZE | BTNS_SHOWTEXT);
    b.fsState = TBSTATE_ENABLED;
    b.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
    buttons.push_back(b);
  }
  ::SendMessageW(toolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  ::SendMessageW(toolBar, TB_AUTOSIZE, 0, 0);
}

void SettingsWindow::ApplyLoadedState() {
  if (!hwnd_) return;
  OnSettingChanged(SettingField::Icon);
  OnSettingChanged(SettingField::Off);
}

void SettingsWindow::OnShow() {
  // Showing an owned window may bring the owner along; the application window stays hidden.
  if (applicationWindow_) ::ShowWindow(applicationWindow_, SW_HIDE);
  // Its monitor may have gone while the window was hidden.
  EnsureWindowOnScreen(hwnd_);
  // Someone may have changed the start at sign-in outside the program.
  ShowSignIn();
  if (events_.shown) events_.shown();
}

void SettingsWindow::OnCommand(int id, int code) {
  if (updating_) return;
  const bool clicked = code == BN_CLICKED;
  if (id == IDC_HIDE) return void(::ShowWindow(hwnd_, SW_HIDE));
  if (id == IDC_DIAGNOSE) return void(events_.diagnose ? events_.diagnose() : void());
  // Posted, not sent: the toolbar that asks is a child of the window that the close destroys.
  if (id == IDC_CLOSE) return void(::PostMessageW(hwnd_, WM_CLOSE, 0, 0));
  for (const AppListButton& b : kAppListButtons)
    if (id == b.id && clicked) {
      const Text list = settings_.Values().*b.list;
      return (settings_.*b.setList)(WithExcludedApp(list, PickApp(Item(id), list, LoadText(IDS_NO_APPS))));
    }
  if (id == IDC_SIGN_IN && clicked) {
    signIn_.Set(::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED);
    return ShowSignIn();
  }
  const Control* c = ControlOf(id);
  if (!c) return;
  const bool checked = ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED;
  switch (c->kind) {
    case Kind::Check:
      if (clicked) (settings_.*c->setFlag)(checked);
      break;
    case Kind::Tool:
      (settings_.*
       c->setFlag)(::SendMessageW(Item(IDC_TOOLBAR), TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) != 0);
      break;
    case Kind::Radio: {
      // A radio button also reports a click when it merely gets the focus; only a checked one
      // is a choice, and only a new choice is a change.
      const std::int32_t index = id - c->id;
      if (!clicked || !checked || settings_.Values().*c->number == index) break;
      (settings_.*c->setNumber)(index);
      // The user hears the sound just chosen, only while the window is visible.
      const bool sound = c->field == SettingField::WaveIndex || c->field == SettingField::OffWaveIndex;
      if (sound && ::IsWindowVisible(hwnd_) && events_.preview)
        events_.preview(c->field == SettingField::WaveIndex);
      break;
    }
    case Kind::Edit:
      if (code == EN_CHANGE) (settings_.*c->setText)(ToText(TextOf(Item(id))));
      break;
    default: break;
  }
}

void SettingsWindow::OnSettingChanged(SettingField field) {
  if (!hwnd_) return;
  FlagGuard updating{updating_};
  auto enable = [this](int first, int count, bool enabled) {
    for (int id = first; id < first + count; ++id) ::EnableWindow(Item(id), enabled);
  };
  ShowValue(field);
  switch (field) {
    case SettingField::Icon:
      ShowIconCaption(settings_.Icon());
      // The position and size groups, the caret check box and the track bar serve the
      // indicator: usable only while it is on.
      for (int id : {IDC_POSITION, IDC_ICON_SIZE, IDC_NEAR_CARET, IDC_OPACITY})
        enable(id, 1, settings_.Icon());
      enable(IDC_POSITION_FIRST, Settings::kPositionCount, settings_.Icon());
      enable(IDC_ICON_SIZE_FIRST, Settings::kIconSizeCount, settings_.Icon());
      break;
    case SettingField::Off:
      enable(IDC_SOUND_OFF, 1, settings_.Off());
      enable(IDC_SOUND_OFF_FIRST, Settings::kSoundCount, settings_.Off());
      break;
    case SettingField::Hint:
      if (!settings_.Hint() && events_.hintSwitchedOff) events_.hintSwitchedOff();
      break;
    case SettingField::AlphaBlendValue:
      // The new figure shows even while the box is unticked; ApplyLoadedState matches the box again.
      ShowIconCaption(true);
      ::SendMessageW(Item(IDC_OPACITY), TBM_SETSELSTART, FALSE, Settings::kMinAlpha);
      ::SendMessageW(Item(IDC_OPACITY), TBM_SETSELEND, TRUE, settings_.AlphaBlendValue());
      break;
    case SettingField::Top:
    case SettingField::Left:
      if (!followingWindow_)
        ::SetWindowPos(hwnd_, nullptr, settings_.Left(), settings_.Top(), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    default: break;
  }
}

// The controls bound to the field show its value.
void SettingsWindow::ShowValue(SettingField field) {
  const SettingValues& v = settings_.Values();
  for (const Control& c : kControls) {
    if (c.kind == Kind::Plain || c.field != field) continue;
    switch (c.kind) {
      case Kind::Check: ::CheckDlgButton(hwnd_, c.id, v.*c.flag ? BST_CHECKED : BST_UNCHECKED); break;
      case Kind::Tool:
        ::SendMessageW(Item(IDC_TOOLBAR), TB_CHECKBUTTON, static_cast<WPARAM>(c.id),
                       MAKELPARAM(v.*c.flag, 0));
        break;
      case Kind::Radio:
        // Only the chosen item (the first when none is) is a tab stop, so Tab lands on the choice.
        for (int i = 0; i < c.count; ++i) {
          HWND item = Item(c.id + i);
          ::CheckDlgButton(hwnd_, c.id + i, i == v.*c.number ? BST_CHECKED : BST_UNCHECKED);
          const LONG style = ::GetWindowLongW(item, GWL_STYLE);
          const bool stop = i == std::max(v.*c.number, 0);
          ::SetWindowLongW(item, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
        break;
      case Kind::Slider:
        if (::SendMessageW(Item(c.id), TBM_GETPOS, 0, 0) != v.*c.number)
          ::SendMessageW(Item(c.id), TBM_SETPOS, TRUE, v.*c.number);
        break;
      case Kind::Edit: ShowText(Item(c.id), ToWide(v.*c.text)); break;
      default: break;
    }
  }
}

void SettingsWindow::ShowIconCaption(bool withOpacity) {
  const Text plain = ToText(LoadText(IDC_SHOW_ICON));
  ShowText(Item(IDC_SHOW_ICON),
           ToWide(withOpacity ? captions::OpacityCaption(plain, ToText(LoadText(IDS_OPACITY)),
                                                         settings_.AlphaBlendValue())
                              : plain));
}

void SettingsWindow::ShowSignIn() {
  ::CheckDlgButton(hwnd_, IDC_SIGN_IN, signIn_.On() ? BST_CHECKED : BST_UNCHECKED);
  ::ShowWindow(Item(IDC_SIGN_IN_NOTE), signIn_.DisabledInTaskManager() ? SW_SHOWNA : SW_HIDE);
}

void SettingsWindow::FollowWindowPosition() {
  RECT r{};
  if (!hwnd_ || ::IsIconic(hwnd_) || !::GetWindowRect(hwnd_, &r)) return;
  FlagGuard following{followingWindow_};
  settings_.SetLeft(r.left);
  settings_.SetTop(r.top);
}

}  // namespace ruvano
