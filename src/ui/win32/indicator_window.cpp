#include "ui/win32/indicator_window.h"

#include <utility>

#include "monitor/indicator_size.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window_style.h"

namespace ruvano {

IndicatorWindow::~IndicatorWindow() {
  // The window goes before the icons it paints.
  DestroyDetached();
}

std::unique_ptr<IndicatorWindow> IndicatorWindow::Create(const Settings& settings,
                                                         std::function<void(bool)> hold,
                                                         std::function<void()> openSettings, HWND owner,
                                                         HMODULE resources) noexcept {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClassOnce(wc)) return nullptr;

  std::unique_ptr<IndicatorWindow> indicator;
  try {
    indicator.reset(new IndicatorWindow(settings, std::move(hold), std::move(openSettings), owner));
  } catch (...) {
    return nullptr;
  }
  // WS_EX_NOACTIVATE keeps a click from activating it even where WM_MOUSEACTIVATE is not
  // consulted; the tool-window style keeps it off the taskbar.
  if (!indicator->CreateWindowFor({.className = kClassName,
                                   .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                                   .width = kIndicatorSizes.front(),
                                   .height = kIndicatorSizes.front(),
                                   .parent = owner})) {
    return nullptr;
  }
  SetToolWindowStyle(indicator->hwnd());
  indicator->resources_ = resources ? resources : ::GetModuleHandleW(nullptr);
  indicator->Resize({0, 0});
  return indicator;
}

// The size for the monitor at place, the indicator's top-left corner; where the system knows
// no monitor's DPI, the window's own (GetDpiForWindow), else 96.
void IndicatorWindow::Resize(POINT place) noexcept {
  UINT dpi = MonitorDpi(RECT{place.x, place.y, place.x + 1, place.y + 1});
  if (dpi == 0) dpi = WindowDpi(hwnd());
  const std::int32_t size = IndicatorSize(dpi, settings_.IconSize());
  if (size == size_) return;
  size_ = size;
  ::SetWindowPos(hwnd(), nullptr, 0, 0, size, size, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Only the rounded middle is visible and takes the mouse: 28 × 28 with corners of 4 at 32
  // pixels, in proportion at the other sizes. Once set, the region belongs to the system.
  const int frame = size / 16, corner = size / 8;
  if (HRGN region = ::CreateRoundRectRgn(frame, frame, size - frame, size - frame, corner, corner)) {
    if (!::SetWindowRgn(hwnd(), region, TRUE)) ::DeleteObject(region);
  }
  LoadPictures();
  if (visible_) {
    picture_ = PictureFor(settings_);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
  }
}

// Each picture is loaded at the window's size, which its icon holds an image of. Missing
// pictures leave the indicator blank rather than failing.
void IndicatorWindow::LoadPictures() noexcept {
  auto load = [this](const wchar_t* name) {
    return UniqueIcon(
        static_cast<HICON>(::LoadImageW(resources_, name, IMAGE_ICON, size_, size_, LR_DEFAULTCOLOR)));
  };
  picture_ = nullptr;
  programIcon_ = load(L"IMAGEAPP");
  defaultPicture_ = load(L"IMAGEDEF");
  modePictures_[static_cast<std::size_t>(InputMode::Katakana)] = load(L"IMAGEKATA");
  modePictures_[static_cast<std::size_t>(InputMode::HalfKatakana)] = load(L"IMAGEHKATA");
  modePictures_[static_cast<std::size_t>(InputMode::FullAlnum)] = load(L"IMAGEALNUM");
  modePictures_[static_cast<std::size_t>(InputMode::HalfAlnum)] = load(L"IMAGEHALNUM");
}

void IndicatorWindow::Show(std::int32_t left, std::int32_t top, std::optional<Point> caret) {
  if (visible_ || !hwnd() || !settings_.Icon()) return;
  visible_ = true;
  atCaret_ = caret && settings_.NearCaret();
  place_ = atCaret_ ? POINT{caret->x, caret->y} : POINT{left, top};
  // The refresh and the move happen while the window is still hidden, so it never shows
  // for a moment at its old place with the old size, picture or opacity.
  Resize(place_);
  OnShow();
  ::SetWindowPos(hwnd(), HWND_TOPMOST, place_.x, place_.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
}

// The caret moves as the user types and clicks, between the ticks, which decide only
// whether the indicator shows. The corner is the place while the caret is gone.
void IndicatorWindow::FollowCaret(std::optional<Point> caret, std::int32_t left, std::int32_t top) noexcept {
  if (!visible_) return;
  if (caret && settings_.NearCaret())
    MoveTo({caret->x, caret->y}, true);
  else
    MoveTo({left, top}, false);
}

void IndicatorWindow::MoveTo(POINT place, bool atCaret) noexcept {
  if (atCaret != atCaret_) {
    atCaret_ = atCaret;
    ApplyClickThrough();
  }
  if (place.x == place_.x && place.y == place_.y) return;
  place_ = place;
  Resize(place);  // it may have gone to another monitor
  ::SetWindowPos(hwnd(), nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Next to the caret the indicator sits over the text being typed: clicks go through to it. A
// layered window with WS_EX_TRANSPARENT passes the mouse to the windows below it
// (learn.microsoft.com/windows/win32/winmsg/window-features#layered-windows), so there it
// stays layered also when opaque. At the corners it is as it always was.
void IndicatorWindow::ApplyClickThrough() noexcept {
  IndicatorOpacity wanted = OpacityForPosition(settings_.AlphaBlendValue());
  wanted.layered = wanted.layered || atCaret_;
  ApplyOpacity(wanted);
  const LONG ex = ::GetWindowLongW(hwnd(), GWL_EXSTYLE);
  const LONG want = atCaret_ ? ex | WS_EX_TRANSPARENT : ex & ~WS_EX_TRANSPARENT;
  if (want != ex) ::SetWindowLongW(hwnd(), GWL_EXSTYLE, want);
}

void IndicatorWindow::Hide() {
  if (!visible_) return;
  visible_ = false;
  ::ShowWindow(hwnd(), SW_HIDE);
  // A hidden window gets no WM_MOUSELEAVE: a monitor that a button press on the picture
  // holds is resumed here, or it would stay at rest for good.
  if (trackingLeave_) {
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE | TME_CANCEL;
    tme.hwndTrack = hwnd();
    ::TrackMouseEvent(&tme);
    trackingLeave_ = false;
  }
  leftPressed_ = false;
  if (monitorHeld_) ResumeMonitor();
}

void IndicatorWindow::Close() {
  if (!visible_) return;
  RunCloseQuery();
  Hide();
}

void IndicatorWindow::Reraise(std::int32_t left, std::int32_t top) noexcept {
  if (!visible_) return;
  // Next to the caret it stays where the caret put it.
  if (!atCaret_) place_ = {left, top};
  ::SetWindowPos(hwnd(), HWND_TOPMOST, place_.x, place_.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void IndicatorWindow::SetInputMode(InputMode mode) noexcept {
  mode_ = mode;
  if (!visible_) return;
  HICON wanted = PictureFor(settings_);
  if (wanted == picture_) return;
  picture_ = wanted;
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

// The program icon wins; then the input mode's key-cap when asked for; else "あ".
HICON IndicatorWindow::PictureFor(const Settings& settings) const noexcept {
  if (settings.AppIcon()) return programIcon_.get();
  if (settings.ShowMode()) {
    if (HICON mode = modePictures_[static_cast<std::size_t>(mode_)].get()) return mode;
  }
  return defaultPicture_.get();
}

void IndicatorWindow::OnShow() {
  SetToolWindowStyle(hwnd());
  picture_ = PictureFor(settings_);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
  // Whatever else happens when one of the program's windows is shown, the application
  // window stays hidden, so the program never has a taskbar button.
  if (owner_) ::ShowWindow(owner_, SW_HIDE);
  ime_.SetOpen(hwnd(), true);
  ApplyClickThrough();
}

void IndicatorWindow::RunCloseQuery() noexcept { ime_.SetOpen(hwnd(), false); }

void IndicatorWindow::OnClick() {
  if (openSettings_) openSettings_();
  // Closing runs the close query even when the settings window's show handler has closed
  // the indicator already.
  RunCloseQuery();
  Hide();
}

void IndicatorWindow::HoldMonitor() {
  if (hold_) hold_(true);
  monitorHeld_ = true;
  TrackLeave();
}

void IndicatorWindow::TrackLeave() noexcept {
  if (trackingLeave_) return;
  TRACKMOUSEEVENT tme{};
  tme.cbSize = sizeof(tme);
  tme.dwFlags = TME_LEAVE;
  tme.hwndTrack = hwnd();
  trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
}

void IndicatorWindow::ResumeMonitor() {
  monitorHeld_ = false;
  if (hold_) hold_(false);
}

void IndicatorWindow::ApplyOpacity(const IndicatorOpacity& wanted) noexcept {
  const LONG ex = ::GetWindowLongW(hwnd(), GWL_EXSTYLE);
  switch (BlendChangeFor(opacity_, wanted)) {
    case BlendChange::None: break;
    case BlendChange::Layer:
      if (!(ex & WS_EX_LAYERED)) ::SetWindowLongW(hwnd(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
      ::SetLayeredWindowAttributes(hwnd(), RGB(255, 255, 255), wanted.alpha, LWA_ALPHA);
      break;
    case BlendChange::Unlayer:
      ::SetWindowLongW(hwnd(), GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
      ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
      break;
  }
  opacity_ = wanted;
}

void IndicatorWindow::Paint(HDC dc) noexcept {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
  if (picture_)
    ::DrawIconEx(dc, 0, 0, picture_, rc.right - rc.left, rc.bottom - rc.top, 0, nullptr, DI_NORMAL);
}

LRESULT IndicatorWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      // A press on the indicator stops the monitor until the pointer leaves the picture;
      // the press never activates the indicator.
      HoldMonitor();
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      leftPressed_ = true;
      HoldMonitor();
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: HoldMonitor(); return 0;
    case WM_LBUTTONUP:
      if (leftPressed_) {
        leftPressed_ = false;
        OnClick();
      }
      return 0;
    case WM_MOUSEMOVE: TrackLeave(); return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      leftPressed_ = false;
      ResumeMonitor();
      return 0;
    case WM_DPICHANGED:
      // The indicator sizes itself for the monitor at its place whenever it shows or moves;
      // the size the system suggests for the new DPI is not taken.
      return 0;
    case WM_CLOSE:
      // The indicator lives until the program ends: a close request only hides it.
      RunCloseQuery();
      Hide();
      return 0;
  }
  if (LRESULT r = 0; HandlePaintMessage(msg, wp, r)) return r;
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
