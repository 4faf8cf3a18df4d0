// The sounds and pictures as the built RUVANO.exe carries them.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "../host/wave_form_for_tests.h"
#include "monitor/indicator_size.h"
#include "wine_test_util.h"
#include "zeq/win32/handles.h"

namespace {

using ruvano::testing::BinDir;

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);  // 1041

// RUVANO.exe loaded for its resources only.
class ExeResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW((BinDir() + L"RUVANO.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  // The bytes of a resource in Japanese, or empty when there is none.
  std::vector<std::uint8_t> Resource(const wchar_t* type, const wchar_t* name, WORD lang = kJapanese) {
    HRSRC r = FindResourceExW(module_, type, name, lang);
    if (!r) return {};
    const auto* p = static_cast<const std::uint8_t*>(LockResource(LoadResource(module_, r)));
    return std::vector<std::uint8_t>(p, p + SizeofResource(module_, r));
  }
  HMODULE module_ = nullptr;
};

ruvano::UniqueIcon LoadIconImage(HMODULE module, const wchar_t* name) {
  return ruvano::UniqueIcon(static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, 32, 32, 0)));
}

// The icon drawn at size × size over mid-grey, as 32-bit pixels.
std::vector<std::uint32_t> IconPixels(HICON icon, int size) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = size;
  bi.bmiHeader.biHeight = -size;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  ruvano::UniqueBitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::vector<std::uint32_t> out;
  if (bmp) {
    ruvano::SelectGuard sel(dc, bmp.get());
    auto* px = static_cast<std::uint32_t*>(bits);
    std::fill(px, px + size * size, 0x00808080u);
    DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    out.assign(px, px + size * size);
  }
  DeleteDC(dc);
  return out;
}

std::wstring Wide(const char* s) { return std::wstring(s, s + strlen(s)); }
std::wstring Upper(std::wstring s) {
  for (auto& c : s) c = static_cast<wchar_t>(towupper(c));
  return s;
}

TEST_F(ExeResources, TwelveJapaneseWaveResourcesOfTheExactForm) {
  for (int i = 0; i < 12; ++i) {
    const std::wstring name = Upper(Wide(ruvano::testing::kSoundNames[i]));
    SCOPED_TRACE(ruvano::testing::kSoundNames[i]);
    const auto bytes = Resource(L"WAVE", name.c_str());
    ASSERT_FALSE(bytes.empty());
    // The resource size is the RIFF size plus 8: checked with the rest of the form.
    EXPECT_EQ(ruvano::testing::CheckWaveForm(bytes.data(), bytes.size(), ruvano::testing::kSoundDataBytes[i],
                                             i <= 8),
              "");
    // The cue asks in lower case and with no language: the lookup must still find it.
    EXPECT_NE(FindResourceW(module_, Wide(ruvano::testing::kSoundNames[i]).c_str(), L"WAVE"), nullptr);
  }
  EXPECT_EQ(FindResourceW(module_, L"nil", L"WAVE"), nullptr);
}

// The images an icon group lists: (width, bits per pixel, icon resource id).
struct GroupEntry {
  int size, bpp, id;
  std::uint32_t bytes;
};
std::vector<GroupEntry> GroupEntries(const std::vector<std::uint8_t>& g) {
  std::vector<GroupEntry> out;
  if (g.size() < 6) return out;
  for (std::uint32_t i = 0; i < ruvano::testing::Le16(g.data() + 4); ++i) {
    const std::uint8_t* e = g.data() + 6 + 14 * i;
    out.push_back({e[0] == 0 ? 256 : e[0], static_cast<int>(ruvano::testing::Le16(e + 6)),
                   static_cast<int>(ruvano::testing::Le16(e + 12)), ruvano::testing::Le32(e + 8)});
  }
  return out;
}

TEST_F(ExeResources, DefaultPictureHasA32PixelImageAt24BitsWithAClearMask) {
  const auto group = GroupEntries(Resource(RT_GROUP_ICON, L"IMAGEDEF"));
  ASSERT_EQ(group.size(), ruvano::kIndicatorSizes.size());
  EXPECT_EQ(group[0].size, 32);
  EXPECT_EQ(group[0].bpp, 24);
  const auto image = Resource(RT_ICON, MAKEINTRESOURCEW(group[0].id));
  ASSERT_EQ(image.size(), 40u + 3072 + 128);
  EXPECT_EQ(ruvano::testing::Le32(image.data()), 40u);
  EXPECT_EQ(ruvano::testing::Le32(image.data() + 8), 64u);
  EXPECT_EQ(ruvano::testing::Le16(image.data() + 14), 24u);
  for (std::size_t i = 40 + 3072; i < image.size(); ++i) ASSERT_EQ(image[i], 0) << "mask byte " << i;

  const auto icon = LoadIconImage(module_, L"IMAGEDEF");
  ASSERT_NE(icon.get(), nullptr);
  // Opaque everywhere: drawn over grey, the frame shows the key-cap's dark edge colour.
  const auto px = IconPixels(icon.get(), 32);
  EXPECT_NE(px[0] & 0xFFFFFF, 0x808080u);
  EXPECT_GE(px[16 * 32 + 6] & 0xFF, 0xE8u) << "white face";
  EXPECT_LE(px[28 * 32 + 16] & 0xFF, 0xC0u) << "grey body";
}

TEST_F(ExeResources, ProgramIconHasItsNineImagesAndIsTheFilesIcon) {
  const auto group = GroupEntries(Resource(RT_GROUP_ICON, L"MAINICON"));
  ASSERT_EQ(group.size(), 9u);
  int png = 0;
  for (const auto& e : group) {
    SCOPED_TRACE(std::to_string(e.size) + " px " + std::to_string(e.bpp) + " bpp");
    const auto image = Resource(RT_ICON, MAKEINTRESOURCEW(e.id));
    ASSERT_EQ(image.size(), e.bytes);
    if (e.size == 256) {
      ++png;
      EXPECT_EQ(std::string(image.begin() + 1, image.begin() + 4), "PNG");
    } else {
      EXPECT_EQ(ruvano::testing::Le32(image.data() + 4), static_cast<std::uint32_t>(e.size));
      EXPECT_EQ(ruvano::testing::Le16(image.data() + 14), static_cast<std::uint32_t>(e.bpp));
    }
  }
  EXPECT_EQ(png, 1);

  // What the shell shows for the file (its first icon) is the program icon, not the default
  // picture: compare the 32-pixel images pixel by pixel.
  HICON shown = nullptr;
  ASSERT_EQ(ExtractIconExW((BinDir() + L"RUVANO.exe").c_str(), 0, &shown, nullptr, 1), 1u);
  ruvano::UniqueIcon shownIcon(shown);
  const auto main = LoadIconImage(module_, L"MAINICON");
  const auto def = LoadIconImage(module_, L"IMAGEDEF");
  ASSERT_NE(main.get(), nullptr);
  ASSERT_NE(def.get(), nullptr);
  const auto shownPixels = IconPixels(shown, 32);
  ASSERT_EQ(shownPixels.size(), 32u * 32);
  EXPECT_TRUE(shownPixels == IconPixels(main.get(), 32)) << "the file does not show the program icon";
  EXPECT_FALSE(shownPixels == IconPixels(def.get(), 32)) << "the file shows the default picture";
}

}  // namespace
