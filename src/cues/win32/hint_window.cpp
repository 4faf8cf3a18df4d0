#include "cues/win32/hint_window.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include "zeq/win32/system_library.h"
#include "zeq/win32/probes_win32.h"
#include "zeq/win32/window_style.h"

namespace ruvano {
namespace {

// The calls of uxtheme.dll that draw the hint like a tooltip, bound at the first paint.
LazyProc<decltype(&::IsAppThemed)> isAppThemed(L"uxtheme.dll", "IsAppThemed");
LazyProc<decltype(&::IsThemeActive)> isThemeActive(L"uxtheme.dll", "IsThemeActive");
LazyProc<decltype(&::OpenThemeData)> openThemeData(L"uxtheme.dll", "OpenThemeData");
LazyProc<decltype(&::CloseThemeData)> closeThemeData(L"uxtheme.dll", "CloseThemeData");
LazyProc<decltype(&::DrawThemeBackground)> drawThemeBackground(L"uxtheme.dll", "DrawThemeBackground");

// Theme data of the window, closed again through the same library; none when the system
// lacks the calls.
class ThemeData {
 public:
  ThemeData(HWND wnd, const wchar_t* classes) noexcept
      : close_(closeThemeData.get()),
        theme_(openThemeData && close_ ? openThemeData.get()(wnd, classes) : nullptr) {}
  ~ThemeData() {
    if (theme_) close_(theme_);
  }
  ThemeData(const ThemeData&) = delete;
  ThemeData& operator=(const ThemeData&) = delete;

  HTHEME get() const noexcept { return theme_; }
  explicit operator bool() const noexcept { return theme_ != nullptr; }

 private:
  decltype(&::CloseThemeData) close_;
  HTHEME theme_;
};

}  // namespace

HintWindow::~HintWindow() {
  // The window goes before the font it paints with.
  DestroyDetached();
}

bool HintWindow::EnsureWindow() {
  if (hwnd()) return true;
  WNDCLASSEXW wc{};
  wc.style = CS_SAVEBITS | CS_DROPSHADOW;
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  if (!RegisterClassOnce(wc)) return false;

  // The hint comes up by the pointer: its text takes the scale of the monitor there. The
  // window is made afresh for each hint, so the font follows the pointer and scale changes.
  POINT pointer{};
  ::GetCursorPos(&pointer);
  NONCLIENTMETRICSW metrics{};
  if (NonClientMetricsForDpi(metrics, MonitorDpi(::MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST)))) {
    font_.reset(::CreateFontIndirectW(&metrics.lfStatusFont));
  }
  if (!CreateWindowFor({.className = kClassName,
                        .style = WS_POPUP | WS_BORDER,
                        .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
                        .parent = owner_})) {
    font_.reset();
    return false;
  }
  return true;
}

void HintWindow::Discard() {
  if (hwnd()) ::DestroyWindow(hwnd());
}

Point HintWindow::PointerPosition() {
  POINT p{};
  ::GetCursorPos(&p);
  return Point{p.x, p.y};
}

Rect HintWindow::MeasureText(const Text& text) {
  RECT r{0, 0, 0, 0};
  if (!hwnd()) return Rect{};
  WindowDC dc(hwnd());
  if (!dc.get()) return Rect{};
  SelectGuard font(dc.get(), CurrentFont());
  // Measured as it is drawn, without prefix processing, so that an "&" in the text takes
  // its room.
  ::DrawTextW(dc.get(), WidePtr(text), -1, &r, DT_CALCRECT | DT_NOPREFIX);
  return Rect{r.left, r.top, r.right, r.bottom};
}

Rect HintWindow::MonitorBoundsNear(Point p) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(::MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST), &info)) {
    return Rect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return Rect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

std::uint32_t HintWindow::TickCount() { return ::GetTickCount(); }

bool HintWindow::TooltipAnimation() {
  BOOL on = FALSE;
  return ::SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &on, 0) && on;
}

bool HintWindow::TooltipFade() {
  BOOL on = FALSE;
  return ::SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &on, 0) && on;
}

void HintWindow::Present(const Rect& bounds, const Text& text, HintAnimation animation) {
  if (!hwnd()) return;
  text_ = text;
  ::SetWindowTextW(hwnd(), WidePtr(text_));
  ::SetWindowPos(hwnd(), HWND_TOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOOWNERZORDER | SWP_NOACTIVATE);
  DWORD flags = 0;
  switch (animation) {
    case HintAnimation::None: break;
    case HintAnimation::Fade: flags = AW_BLEND; break;
    case HintAnimation::SlideDown: flags = AW_SLIDE | AW_VER_POSITIVE; break;
    case HintAnimation::SlideUp: flags = AW_SLIDE | AW_VER_NEGATIVE; break;
  }
  if (flags) ::AnimateWindow(hwnd(), kHintAnimationMs, flags);
  ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
  SetToolWindowStyle(hwnd());
}

HFONT HintWindow::CurrentFont() const noexcept {
  return font_ ? font_.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void HintWindow::Paint(HDC dc) noexcept {
  RECT rc{};
  ::GetClientRect(hwnd(), &rc);
  bool themed = false;
  if (isAppThemed && isThemeActive && drawThemeBackground && isAppThemed.get()() && isThemeActive.get()()) {
    ThemeData theme(hwnd(), L"TOOLTIP");
    if (theme) {
      drawThemeBackground.get()(theme.get(), dc, TTP_STANDARD, TTSS_NORMAL, &rc, nullptr);
      themed = true;
    }
  }
  if (!themed) {
    UniqueBrush pale(::CreateSolidBrush(RGB(255, 255, 128)));
    ::FillRect(dc, &rc, pale ? pale.get() : ::GetSysColorBrush(COLOR_INFOBK));
    ::DrawEdge(dc, &rc, BDR_RAISEDOUTER, BF_RECT);
  }
  SelectGuard font(dc, CurrentFont());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ::GetSysColor(COLOR_INFOTEXT));
  RECT textRect = rc;
  textRect.left += 2;
  textRect.top += 2;
  ::DrawTextW(dc, WidePtr(text_), -1, &textRect, DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT HintWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
  }
  if (LRESULT r = 0; HandlePaintMessage(msg, wp, r)) return r;
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
