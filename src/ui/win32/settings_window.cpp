#include "ui/win32/settings_window.h"

#include <utility>

#include "ui/settings_layout.h"
#include "zeq/win32/failure_report.h"
#include "zeq/win32/placement_win32.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

namespace {
// A fixed dialog frame with a caption and only the Close button. No WS_CLIPCHILDREN: the
// group boxes leave their inside to the window's own background.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

UniqueIcon LoadProgramIcon(int cx, int cy) {
  return UniqueIcon(static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR)));
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
    : settings_(settings),
      events_(std::move(events)),
      applicationWindow_(applicationWindow),
      panel_(settings, *this) {}

SettingsWindow::~SettingsWindow() {
  // The settings stop reporting to the window, and the window goes, with none of its
  // handlers running, before the panel and the icons it shows.
  settingsSubscription_.Reset();
  DestroyDetached();
}

std::unique_ptr<SettingsWindow> SettingsWindow::Create(Settings& settings, Events events,
                                                       HWND applicationWindow) noexcept {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterClassOnce(wc)) return nullptr;
  std::unique_ptr<SettingsWindow> window;
  try {
    window.reset(new SettingsWindow(settings, std::move(events), applicationWindow));
  } catch (...) {
    return nullptr;
  }
  RECT frame{0, 0, settings_design::kClientWidth, settings_design::kClientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  if (!window->CreateWindowFor({.className = kClassName,
                                .title = kCaption,
                                .style = kStyle,
                                .exStyle = kExStyle,
                                .x = settings.Left(),
                                .y = settings.Top(),
                                .width = frame.right - frame.left,
                                .height = frame.bottom - frame.top,
                                .parent = applicationWindow})) {
    return nullptr;
  }
  return window;
}

void SettingsWindow::Show() {
  if (!hwnd()) return;
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool SettingsWindow::PreTranslateMessage(MSG& msg) {
  if (!hwnd()) return false;
  return panel_.TranslateAccessKey(msg) || ::IsDialogMessageW(hwnd(), &msg) != FALSE;
}

void SettingsWindow::PlayCue(bool on) {
  if (events_.preview) events_.preview(on);
}
void SettingsWindow::HideHintNow() {
  if (events_.hintSwitchedOff) events_.hintSwitchedOff();
}
void SettingsWindow::HideSettingsWindow() { ::ShowWindow(hwnd(), SW_HIDE); }
// Posted, not sent: the toolbar that asks is a child of the window that the close destroys.
void SettingsWindow::CloseSettingsWindow() { ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); }

void SettingsWindow::ClientSizeWanted(int width, int height) {
  const SIZE outer = WindowSizeForClient(hwnd(), width, height);
  ::SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Text SettingsWindow::ForegroundAppName() { return events_.foregroundApp ? events_.foregroundApp() : Text(); }

bool SettingsWindow::OnCreate() {
  SetProgramIcons();
  AcceptCopyDataFromLowerRights(hwnd());
  // The controls, in the face of the system's menu font. The panel keeps them in step with
  // the settings; this window adds its own position. Without its controls the window is not
  // made at all.
  if (!panel_.Create(hwnd())) {
    ReportFailure(L"the settings window's controls could not be created");
    return false;
  }
  settingsSubscription_ = settings_.Subscribe({SettingField::Top, SettingField::Left},
                                              [this](SettingField field) { OnSettingChanged(field); });
  EnsureWindowOnScreen(hwnd());
  FollowWindowPosition();
  return true;
}

void SettingsWindow::SetProgramIcons() {
  bigIcon_ = LoadProgramIcon(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
  smallIcon_ = LoadProgramIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
  if (bigIcon_) ::SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  if (smallIcon_) ::SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
  // The window cannot be resized, minimised or maximised: its system menu offers Move and
  // Close only.
  if (HMENU menu = ::GetSystemMenu(hwnd(), FALSE)) {
    for (UINT command : {SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE})
      ::DeleteMenu(menu, command, MF_BYCOMMAND);
  }
}

void SettingsWindow::OnShow() {
  // Showing an owned window may bring the owner along; the application window stays hidden.
  if (applicationWindow_) ::ShowWindow(applicationWindow_, SW_HIDE);
  // Its monitor may have gone while the window was hidden.
  EnsureWindowOnScreen(hwnd());
  panel_.ShowStartAtSignIn();
  if (events_.shown) events_.shown();
}

void SettingsWindow::OnActivate(bool active) noexcept {
  // As a dialog does: the control that had the focus when the window was left gets it back
  // when the window is active again, the first control in the tab order the first time, so
  // that the keyboard works at once.
  if (!active) {
    HWND focus = ::GetFocus();
    if (focus && ::IsChild(hwnd(), focus)) lastFocus_ = focus;
    return;
  }
  HWND target = lastFocus_;
  if (!target || !::IsChild(hwnd(), target) || !::IsWindowVisible(target) || !::IsWindowEnabled(target)) {
    target = ::GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  }
  ::SetFocus(target ? target : hwnd());
}

void SettingsWindow::OnSettingChanged(SettingField field) {
  if (field != SettingField::Top && field != SettingField::Left) return;
  if (followingWindow_ || !hwnd()) return;
  RECT r{};
  if (!::GetWindowRect(hwnd(), &r)) return;
  if (r.left == settings_.Left() && r.top == settings_.Top()) return;
  ::SetWindowPos(hwnd(), nullptr, settings_.Left(), settings_.Top(), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsWindow::FollowWindowPosition() {
  RECT r{};
  if (!hwnd() || ::IsIconic(hwnd()) || !::GetWindowRect(hwnd(), &r)) return;
  struct Following {
    bool& flag;
    explicit Following(bool& f) : flag(f) { flag = true; }
    ~Following() { flag = false; }
  } following(followingWindow_);
  settings_.SetLeft(r.left);
  settings_.SetTop(r.top);
}

LRESULT SettingsWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_SHOWWINDOW:
      if (wp) OnShow();
      break;
    case WM_MOVE: FollowWindowPosition(); return 0;
    case WM_COPYDATA:
      if (events_.copyData) events_.copyData(lp);
      return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wp) != WA_INACTIVE); return 0;
    case WM_CLOSE:
      // Every close path ends here (the quit button, the title bar, Alt+F4, the system menu,
      // another program's WM_CLOSE). The close is always allowed; as the main window, its
      // end ends the program.
      if (events_.closing) events_.closing();
      ::DestroyWindow(hwnd());
      return 0;
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
      // The end of the logon is the application window's to handle, whichever window hears
      // of it.
      return applicationWindow_ ? ::SendMessageW(applicationWindow_, msg, wp, lp) : TRUE;
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    case WM_DPICHANGED:
      // Onto a monitor of another scale: take the rectangle the system suggests, then the
      // panel lays its controls out again and asks for the client size they need.
      if (const auto* suggested = reinterpret_cast<const RECT*>(lp)) {
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
  }
  LRESULT result = 0;
  if (panel_.HandleMessage(msg, wp, lp, &result)) return result;
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
