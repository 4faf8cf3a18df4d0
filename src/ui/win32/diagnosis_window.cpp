#include "ui/win32/diagnosis_window.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "ui/win32/settings_ids.h"
#include "ui/win32/japanese_face.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

// The designed client size and spacing, at 96 DPI.
constexpr int kClientWidth = 520;
constexpr int kClientHeight = 330;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 24;

// The button's caption from the string table of the settings window's captions.
std::wstring CopyCaption() {
  const wchar_t* text = nullptr;
  const int n = ::LoadStringW(::GetModuleHandleW(nullptr), IDS_COPY_ALL, reinterpret_cast<LPWSTR>(&text), 0);
  return n > 0 ? std::wstring(text, static_cast<std::size_t>(n)) : std::wstring(L"Copy");
}

int ScaleToDpi(int value, int dpi) { return ::MulDiv(value, dpi, 96); }

int DpiOf(HWND wnd) {
  const UINT dpi = WindowDpi(wnd);
  return dpi ? static_cast<int>(dpi) : 96;
}

// The outer size of a window whose client area is width by height.
SIZE WindowSizeForClient(HWND wnd, int width, int height) {
  RECT r{0, 0, width, height};
  ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongW(wnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongW(wnd, GWL_EXSTYLE)));
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// The menu font's size at dpi, in the Japanese UI face.
UniqueFont CreateTextFont(int dpi, const std::wstring& sample) {
  NONCLIENTMETRICSW m{};
  NonClientMetricsForDpi(m, static_cast<UINT>(dpi));
  LOGFONTW lf = m.lfMenuFont;
  if (lf.lfHeight == 0) lf.lfHeight = -ScaleToDpi(12, dpi);
  const std::wstring face = JapaneseUiFace(sample);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
  lf.lfFaceName[std::min<std::size_t>(face.size(), LF_FACESIZE - 1)] = L'\0';
  return UniqueFont(::CreateFontIndirectW(&lf));
}

// Clipboard memory goes to the system once SetClipboardData takes it; until then it is ours.
struct GlobalMemory {
  HGLOBAL handle;
  ~GlobalMemory() {
    if (handle) ::GlobalFree(handle);
  }
};

}  // namespace

DiagnosisWindow::~DiagnosisWindow() {
  // The window goes before the font its controls use.
  DestroyDetached();
}

std::unique_ptr<DiagnosisWindow> DiagnosisWindow::Create(HWND owner, std::function<void()> hidden) noexcept {
  WNDCLASSEXW wc{};
  wc.lpszClassName = kClassName;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON");
  if (!RegisterClassOnce(wc)) return nullptr;
  std::unique_ptr<DiagnosisWindow> window;
  try {
    window.reset(new DiagnosisWindow(std::move(hidden)));
  } catch (...) {
    return nullptr;
  }
  // Owned by the hidden application window: no taskbar button, and it stays when the
  // settings window hides.
  if (!window->CreateWindowFor({.className = kClassName,
                                .title = kDiagnosisCaption,
                                .style = WS_POPUPWINDOW | WS_CAPTION | WS_THICKFRAME | WS_CLIPCHILDREN,
                                .exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT,
                                .x = CW_USEDEFAULT,
                                .y = CW_USEDEFAULT,
                                .parent = owner}))
    return nullptr;
  return window;
}

bool DiagnosisWindow::OnCreate() noexcept {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  edit_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                            0, 0, 0, 0, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                            instance, nullptr);
  copy_ = ::CreateWindowExW(0, L"BUTTON", CopyCaption().c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, hwnd(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCopyId)), instance, nullptr);
  if (!edit_ || !copy_) return false;
  const int dpi = DpiOf(hwnd());
  SetFontFor(dpi);
  const SIZE outer =
      WindowSizeForClient(hwnd(), ScaleToDpi(kClientWidth, dpi), ScaleToDpi(kClientHeight, dpi));
  ::SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

// The controls take the new font before the old one goes.
void DiagnosisWindow::SetFontFor(int dpi) noexcept {
  UniqueFont font = CreateTextFont(dpi, L"前面のウィンドウ診断");
  for (HWND control : {edit_, copy_})
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  font_ = std::move(font);
}

void DiagnosisWindow::LayOut() noexcept {
  RECT c{};
  ::GetClientRect(hwnd(), &c);
  const int dpi = DpiOf(hwnd());
  const int margin = ScaleToDpi(kMargin, dpi);
  const int bw = ScaleToDpi(kButtonWidth, dpi);
  const int bh = ScaleToDpi(kButtonHeight, dpi);
  const int editBottom = std::max<int>(margin, c.bottom - 2 * margin - bh);
  ::MoveWindow(edit_, margin, margin, std::max<int>(0, c.right - 2 * margin), editBottom - margin, TRUE);
  ::MoveWindow(copy_, std::max<int>(margin, c.right - margin - bw), editBottom + margin, bw, bh, TRUE);
}

void DiagnosisWindow::Show() noexcept {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetForegroundWindow(hwnd());
}

void DiagnosisWindow::SetText(const Text& text) {
  if (text == text_) return;
  text_ = text;
  ::SetWindowTextW(edit_, reinterpret_cast<const wchar_t*>(text_.c_str()));
}

bool DiagnosisWindow::PreTranslateMessage(MSG& msg) noexcept {
  if (!hwnd() || (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd))) return false;
  return ::IsDialogMessageW(hwnd(), &msg) != FALSE;
}

// CF_UNICODETEXT: the text with its terminator, in movable global memory
// (learn.microsoft.com/windows/win32/dataxchg/using-the-clipboard).
void DiagnosisWindow::CopyAll() noexcept {
  const std::size_t bytes = (text_.size() + 1) * sizeof(char16_t);
  GlobalMemory memory{::GlobalAlloc(GMEM_MOVEABLE, bytes)};
  if (!memory.handle) return;
  void* data = ::GlobalLock(memory.handle);
  if (!data) return;
  std::memcpy(data, text_.c_str(), bytes);
  ::GlobalUnlock(memory.handle);
  if (!::OpenClipboard(hwnd())) return;
  ::EmptyClipboard();
  if (::SetClipboardData(CF_UNICODETEXT, memory.handle)) memory.handle = nullptr;
  ::CloseClipboard();
}

LRESULT DiagnosisWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE: return OnCreate() ? 0 : -1;
    case WM_SIZE: LayOut(); return 0;
    // Onto a monitor of another scale: the font for it, and the rectangle the system suggests.
    case WM_DPICHANGED:
      SetFontFor(HIWORD(wp));
      if (const auto* suggested = reinterpret_cast<const RECT*>(lp))
        ::SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wp) == kCopyId && HIWORD(wp) == BN_CLICKED) CopyAll();
      return 0;
    case WM_CLOSE:
      ::ShowWindow(hwnd(), SW_HIDE);
      if (hidden_) hidden_();
      return 0;
    // The read-only edit box would paint grey; the text reads better on the window colour.
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == edit_) {
        ::SetBkColor(reinterpret_cast<HDC>(wp), ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
      }
      break;
    default: break;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace ruvano
