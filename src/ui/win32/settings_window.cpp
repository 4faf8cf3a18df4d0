#include "ui/win32/settings_window.h"

#include <utility>

#include "app/win32/single_instance.h"
#include "settings/win32/settings_file_win32.h"
#include "zeq/win32/foreground_win32.h"
#include "zeq/win32/failure_report.h"
#include "zeq/win32/hwnd.h"
#include "zeq/win32/placement_win32.h"
#include "zeq/win32/probes_win32.h"

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
}  // namespace

SettingsWindow::SettingsWindow(Settings& settings, IProgramCues& cues, Text settingsFile,
                               HWND applicationWindow)
    : settings_(settings),
      cues_(cues),
      settingsFile_(std::move(settingsFile)),
      applicationWindow_(applicationWindow),
      tick_(desktop_, cues, tickWindows_, settings),
      panel_(settings, panelHost_) {}

SettingsWindow::~SettingsWindow() {
  // The settings stop reporting to the window, and the window goes, with none of its
  // handlers running, before the panel and the icons it shows.
  settingsSubscription_.Reset();
  DestroyDetached();
}

std::unique_ptr<SettingsWindow> SettingsWindow::Create(Settings& settings, IProgramCues& cues,
                                                       Text settingsFile, HWND applicationWindow) noexcept {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterClassOnce(wc)) return nullptr;
  std::unique_ptr<SettingsWindow> window;
  try {
    window.reset(new SettingsWindow(settings, cues, std::move(settingsFile), applicationWindow));
  } catch (...) {
    return nullptr;
  }
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  // At (0, 0) until the saved position, if any, replaces it.
  if (!window->CreateWindowFor({.className = kClassName,
                                .title = kCaption,
                                .style = kStyle,
                                .exStyle = kExStyle,
                                .width = frame.right - frame.left,
                                .height = frame.bottom - frame.top,
                                .parent = applicationWindow})) {
    return nullptr;
  }
  return window;
}

bool SettingsWindow::SettingsWindowVisible() const noexcept {
  return hwnd() && ::IsWindowVisible(hwnd()) != FALSE;
}
Hwnd SettingsWindow::ApplicationWindow() const noexcept { return FromHwnd(applicationWindow_); }
Hwnd SettingsWindow::DesktopWnd() const noexcept { return desktopWindow_.Current(); }
Hwnd SettingsWindow::TickWindows::RefindDesktopWnd() { return window_.desktopWindow_.Find(); }

void SettingsWindow::SetTickTimerEnabled(bool enabled) {
  // Once the close query has run for an ending, nothing starts the monitor again (the
  // indicator, for one, when the pointer leaves it).
  if (!hwnd() || enabled == timerRunning_ || (enabled && closeQueryRan_)) return;
  if (enabled) {
    timerRunning_ = ::SetTimer(hwnd(), kTimerId, Settings::kTimerIntervalMs, nullptr) != 0;
  } else {
    ::KillTimer(hwnd(), kTimerId);
    timerRunning_ = false;
  }
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

void SettingsWindow::PanelHost::PlayCue(bool on) { window_.cues_.PlayCue(on); }
void SettingsWindow::PanelHost::HideHintNow() { window_.cues_.ClearHint(); }
void SettingsWindow::PanelHost::HideSettingsWindow() { ::ShowWindow(window_.hwnd(), SW_HIDE); }
// Posted, not sent: the toolbar that asks is a child of the window that the close destroys.
void SettingsWindow::PanelHost::CloseSettingsWindow() { ::PostMessageW(window_.hwnd(), WM_CLOSE, 0, 0); }

void SettingsWindow::PanelHost::ClientSizeWanted(int width, int height) {
  const SIZE outer = WindowSizeForClient(window_.hwnd(), width, height);
  ::SetWindowPos(window_.hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SettingsWindow::OnCreate() {
  desktopWindow_.Find();
  SetProgramIcons();
  // The controls, in the face of the system's menu font. The panel keeps them in step with
  // the settings; this window adds its own position. Without its controls the window is not
  // made at all.
  if (!panel_.Create(hwnd())) {
    ReportFailure(L"the settings window's controls could not be created");
    return false;
  }
  settingsSubscription_ = settings_.Subscribe({SettingField::Top, SettingField::Left},
                                              [this](SettingField field) { OnSettingChanged(field); });
  // A file that cannot be read leaves the defaults; the monitor starts all the same.
  try {
    if (!settingsFile_.empty()) LoadSettings(settingsFile_, settings_);
  } catch (...) {
    ReportFailure(L"reading the settings file failed; the defaults stay");
  }
  EnsureWindowOnScreen(hwnd());
  FollowWindowPosition();
  panel_.ApplyLoadedState();
  SetTickTimerEnabled(true);
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
  cues_.CloseIndicator();
  cues_.ScrollLedOff();
}

void SettingsWindow::RunCloseQuery() noexcept {
  // Each step stands on its own: the LED goes dark even when the file cannot be written, and
  // nothing here ever refuses or stops the close.
  closeQueryRan_ = true;
  try {
    cues_.ScrollLedOff();
  } catch (...) {
    ReportFailure(L"turning the Scroll Lock LED off failed");
  }
  try {
    if (!settingsFile_.empty() && !SaveSettings(settingsFile_, settings_)) {
      ReportFailure(L"the settings were not saved");
    }
  } catch (...) {
    ReportFailure(L"saving the settings failed");
  }
}

void SettingsWindow::QueryEndSession() noexcept {
  // No tick may light the LED again between the query and the end of the logon.
  SetTickTimerEnabled(false);
  RunCloseQuery();
}

void SettingsWindow::EndSession(bool ending) noexcept {
  if (ending) {
    EndProgram();
    ::ExitProcess(0);
  }
  // The logon goes on, and so does the program: the next end saves afresh.
  closeQueryRan_ = false;
  SetTickTimerEnabled(true);
}

void SettingsWindow::EndProgram() noexcept {
  SetTickTimerEnabled(false);
  if (!closeQueryRan_) RunCloseQuery();
  try {
    cues_.ScrollLedOff();
  } catch (...) {
    ReportFailure(L"turning the Scroll Lock LED off at the end failed");
  }
}

void SettingsWindow::OnCopyData(LPARAM lp) {
  if (!ShouldShowForCopyData(SettingsWindowVisible(), lp)) return;
  Show();
  ForceForegroundWindow(hwnd());
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

void SettingsWindow::OnDeactivate() { cues_.ReraiseIndicator(tick_.AnchorLeft(), tick_.AnchorTop()); }

void SettingsWindow::OnTimer() noexcept {
  // A failing tick is dropped; the next one starts afresh from the state this one left.
  try {
    tick_.RunTick();
  } catch (...) {
    ReportFailure(L"a monitor tick failed and was dropped");
  }
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
    case WM_TIMER:
      if (wp == kTimerId) {
        OnTimer();
        return 0;
      }
      break;
    case WM_COPYDATA: OnCopyData(lp); return 0;
    case WM_ACTIVATE: OnActivate(LOWORD(wp) != WA_INACTIVE); return 0;
    case WM_ACTIVATEAPP:
      if (!wp) OnDeactivate();
      return 0;
    case WM_CLOSE:
      // Every close path ends here (the quit button, the title bar, Alt+F4, the system menu,
      // another program's WM_CLOSE). The close is always allowed; as the main window, its
      // end ends the program.
      RunCloseQuery();
      ::DestroyWindow(hwnd());
      return 0;
    case WM_QUERYENDSESSION: QueryEndSession(); return TRUE;
    case WM_ENDSESSION:
      // The logon ends (the settings were saved when the system asked; the process goes now)
      // or was called off (the monitor starts again).
      EndSession(wp != FALSE);
      return 0;
    case WM_DESTROY:
      ::KillTimer(hwnd(), kTimerId);
      timerRunning_ = false;
      ::PostQuitMessage(0);
      return 0;
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
