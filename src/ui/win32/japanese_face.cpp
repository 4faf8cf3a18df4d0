#include "ui/win32/japanese_face.h"

#include <algorithm>
#include <vector>

#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

// Whether the face (itself, not a linked fallback) has glyphs for every character of sample.
bool FaceHasGlyphs(const std::wstring& face, const std::wstring& sample) {
  UniqueFont font(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
  WindowDC dc(nullptr);
  if (!dc.get() || !font) return false;
  SelectGuard select(dc.get(), font.get());
  std::vector<WORD> glyphs(sample.size());
  const DWORD n = ::GetGlyphIndicesW(dc.get(), sample.c_str(), static_cast<int>(sample.size()), glyphs.data(),
                                     GGI_MARK_NONEXISTING_GLYPHS);
  return n == sample.size() && std::none_of(glyphs.begin(), glyphs.end(), [](WORD g) { return g == 0xFFFF; });
}

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param) {
  auto* faces = reinterpret_cast<std::vector<std::wstring>*>(param);
  if (lf->lfFaceName[0] != L'@') faces->emplace_back(lf->lfFaceName);  // '@' faces are vertical
  return 1;
}

}  // namespace

// The system's menu font's face when it has glyphs for every character of sample, else the
// first Japanese face that has them (the UI faces first), else the menu font's all the same,
// which the system's font linking may still draw.
std::wstring JapaneseUiFace(const std::wstring& sample) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) metrics = {};
  const std::wstring menuFace = metrics.lfMenuFont.lfFaceName[0] ? metrics.lfMenuFont.lfFaceName : L"Tahoma";
  if (FaceHasGlyphs(menuFace, sample)) return menuFace;
  std::vector<std::wstring> faces = {L"Yu Gothic UI", L"Meiryo UI",  L"MS UI Gothic", L"Meiryo",
                                     L"Yu Gothic",    L"MS PGothic", L"MS Gothic"};
  WindowDC dc(nullptr);
  LOGFONTW query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  if (dc.get()) ::EnumFontFamiliesExW(dc.get(), &query, CollectFace, reinterpret_cast<LPARAM>(&faces), 0);
  for (const std::wstring& face : faces)
    if (FaceHasGlyphs(face, sample)) return face;
  return menuFace;
}

// The face ends the header, and the items that follow start on a DWORD boundary.
std::vector<BYTE> DialogTemplateWithFace(int id, const std::wstring& face) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), RT_DIALOG);
  HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
  const auto* base = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
  const DWORD size = found ? ::SizeofResource(instance, found) : 0;
  if (!base || size < 26) return {};
  auto skip = [](const WORD* w) {  // a name or an ordinal (0xFFFF, then the number), or nothing (0)
    if (*w == 0xFFFF) return w + 2;
    while (*w++) {}
    return w;
  };
  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy: 26 bytes; then the
  // menu, the class and the title; then point size, weight, italic and character set.
  const WORD* faceStart = skip(skip(skip(reinterpret_cast<const WORD*>(base + 26)))) + 3;
  const auto* faceAt = reinterpret_cast<const BYTE*>(faceStart);
  const std::size_t itemsAt = (reinterpret_cast<const BYTE*>(skip(faceStart)) - base + 3) & ~std::size_t{3};
  if (itemsAt > size) return {};
  std::vector<BYTE> patched(base, faceAt);
  const auto* faceBytes = reinterpret_cast<const BYTE*>(face.c_str());
  patched.insert(patched.end(), faceBytes, faceBytes + (face.size() + 1) * sizeof(wchar_t));
  patched.resize((patched.size() + 3) & ~std::size_t{3});
  patched.insert(patched.end(), base + itemsAt, base + size);
  return patched;
}

}  // namespace ruvano
