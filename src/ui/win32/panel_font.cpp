#include "ui/win32/panel_font.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "ui/settings_layout.h"
#include "zeq/win32/hwnd.h"
#include "zeq/win32/monitor_dpi.h"
#include "zeq/win32/system_library.h"

namespace ruvano {

namespace {

namespace d = settings_design;

// Calls of user32 that Windows before 10 (1607) lacks.
LazyProc<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)> adjustWindowRectExForDpi(
    L"user32.dll", "AdjustWindowRectExForDpi");

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

}  // namespace

int DpiForWindow(HWND wnd) {
  if (const UINT dpi = WindowDpi(wnd); dpi > 0) return static_cast<int>(dpi);
  WindowDC dc(wnd);
  const int dpi = dc.get() ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : 0;
  return dpi > 0 ? dpi : d::kDpi;
}

SIZE WindowSizeForClient(HWND wnd, int clientWidth, int clientHeight) {
  const auto adjustForDpi = adjustWindowRectExForDpi.get();
  RECT r{0, 0, clientWidth, clientHeight};
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(wnd, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(wnd, GWL_EXSTYLE));
  const BOOL menu = (style & WS_CHILD) == 0 && ::GetMenu(wnd) != nullptr;
  if (!adjustForDpi || !adjustForDpi(&r, style, menu, exStyle, static_cast<UINT>(DpiForWindow(wnd))))
    ::AdjustWindowRectEx(&r, style, menu, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

UniqueFont CreatePanelFont(int dpi, const std::wstring& sample) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  const bool haveMetrics =
      ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != 0;

  LOGFONTW lf{};
  lf.lfHeight = -ScaleToDpi(d::kFontHeight, dpi);
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const wchar_t* menuFace =
      haveMetrics && metrics.lfMenuFont.lfFaceName[0] ? metrics.lfMenuFont.lfFaceName : L"Tahoma";

  UniqueFont font(MakeFont(lf, menuFace));
  if (FontHasGlyphs(font.get(), sample)) return font;

  // The menu font lacks Japanese (a Western system's Segoe UI or Tahoma): take a face that
  // has it, the UI faces first, then any face of the Japanese character set.
  std::vector<std::wstring> faces = {L"Yu Gothic UI", L"Meiryo UI",  L"MS UI Gothic", L"Meiryo",
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

}  // namespace ruvano
