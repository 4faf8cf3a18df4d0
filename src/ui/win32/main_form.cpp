#include "ui/win32/main_form.h"

#include "zeq/win32/hwnd.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {

namespace {
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
}  // namespace

TmainForm::TmainForm(IMonitorCues& cues) : cues_(cues), tick_(desktop_, cues, *this, settings_) {}

bool TmainForm::Create(HWND applicationWindow) noexcept {
  applicationWindow_ = applicationWindow;
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterClassOnce(wc)) return false;
  RECT frame{0, 0, kClientWidth, kClientHeight};
  ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  return CreateWindowFor(kExStyle, kClassName, kCaption, kStyle, 0, 0, frame.right - frame.left,
                         frame.bottom - frame.top, applicationWindow, nullptr) != nullptr;
}

bool TmainForm::SettingsWindowVisible() { return hwnd() && ::IsWindowVisible(hwnd()) != FALSE; }
Hwnd TmainForm::ApplicationWindow() { return FromHwnd(applicationWindow_); }
Hwnd TmainForm::DesktopWnd() { return ruvano::DesktopWnd; }

void TmainForm::FormCreate() {
  FindDesktopWindow();
  ::SetTimer(hwnd(), kTimerId, Settings::kTimerIntervalMs, nullptr);
}

void TmainForm::FormShow() {
  // Showing an owned window may bring the owner along; the application window stays hidden.
  if (applicationWindow_) ::ShowWindow(applicationWindow_, SW_HIDE);
  cues_.CloseIndicator();
  cues_.ScrollLedOff();
}

void TmainForm::FormCloseQuery() { cues_.ScrollLedOff(); }

void TmainForm::TimerTimer() noexcept {
  // A failing tick is dropped; the next one starts afresh from the state this one left.
  try {
    tick_.TimerTimer();
  } catch (...) {
  }
}

LRESULT TmainForm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SHOWWINDOW:
      if (wp) FormShow();
      break;
    case WM_TIMER:
      if (wp == kTimerId) {
        TimerTimer();
        return 0;
      }
      break;
    case WM_CLOSE:
      // The close is always allowed; as the main window, its end ends the program.
      FormCloseQuery();
      ::DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      ::KillTimer(hwnd(), kTimerId);
      ::PostQuitMessage(0);
      return 0;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
