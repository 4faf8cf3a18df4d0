// The generated sounds and pictures: the committed files must be exactly what the
// generators make, and must have the forms the program and the system expect.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <utility>

#include <unistd.h>

#include "inflate_for_tests.h"
#include "media/deflate.h"
#include "media/file_io.h"
#include "media/fixed.h"
#include "media/generate.h"
#include "media/ico.h"
#include "media/pictures.h"
#include "monitor/indicator_size.h"
#include "wave_form_for_tests.h"

namespace ruvano {
namespace {

using media::Bytes;
namespace fs = std::filesystem;

const fs::path kResources = fs::path(RUVANO_SOURCE_DIR) / "src" / "resources";

Bytes Committed(const std::string& name) { return media::ReadFile(kResources / name); }

TEST(GeneratedResources, CommittedFilesAreExactlyWhatTheGeneratorsMake) {
  const fs::path dir = fs::temp_directory_path() / ("ruvano_gen_" + std::to_string(::getpid()));
  auto files = media::GenerateSounds();
  auto pictures = media::GeneratePictures();
  files.insert(files.end(), pictures.begin(), pictures.end());
  media::WriteAll(files, dir);
  EXPECT_EQ(files.size(), 20u);
  const auto docs = media::GenerateDocPictures();
  for (const auto& [name, bytes] : docs)
    EXPECT_EQ(bytes, media::ReadFile(fs::path(RUVANO_SOURCE_DIR) / "docs" / name)) << name;
  for (const auto& [name, bytes] : files) {
    const Bytes fresh = media::ReadFile(dir / name);
    const Bytes committed = Committed(name);
    ASSERT_EQ(fresh.size(), committed.size()) << name;
    const auto diff = std::mismatch(fresh.begin(), fresh.end(), committed.begin());
    EXPECT_TRUE(diff.first == fresh.end()) << name << " differs at byte " << (diff.first - fresh.begin());
  }
  fs::remove_all(dir);
}

TEST(SoundFiles, HaveTheExactFormAndLength) {
  for (int i = 0; i < 12; ++i) {
    const Bytes b = Committed(std::string(testing::kSoundNames[i]) + ".wav");
    EXPECT_EQ(testing::CheckWaveForm(b.data(), b.size(), testing::kSoundDataBytes[i], i <= 8), "")
        << testing::kSoundNames[i];
  }
}

TEST(SoundFiles, StartAndEndInSilenceAndStayWellBelowFullScale) {
  for (int i = 0; i < 12; ++i) {
    const Bytes b = Committed(std::string(testing::kSoundNames[i]) + ".wav");
    std::size_t at = 0;
    ASSERT_EQ(testing::CheckWaveForm(b.data(), b.size(), testing::kSoundDataBytes[i], i <= 8, &at), "");
    const std::size_t frames = testing::kSoundDataBytes[i] / 4;
    auto sample = [&](std::size_t frame, int channel) {
      return static_cast<std::int16_t>(testing::Le16(b.data() + at + frame * 4 + channel * 2));
    };
    int peak = 0;
    double energy = 0;
    for (std::size_t k = 0; k < frames; ++k) {
      ASSERT_EQ(sample(k, 0), sample(k, 1)) << "channels differ in " << testing::kSoundNames[i];
      peak = std::max(peak, std::abs(static_cast<int>(sample(k, 0))));
      energy += double(sample(k, 0)) * sample(k, 0);
    }
    // No click at either end: the first and last two milliseconds fade through zero.
    EXPECT_EQ(sample(0, 0), 0) << testing::kSoundNames[i];
    EXPECT_EQ(sample(frames - 1, 0), 0) << testing::kSoundNames[i];
    for (std::size_t k = 0; k < 24; ++k) {
      EXPECT_LT(std::abs(sample(frames - 1 - k, 0)), 2000) << testing::kSoundNames[i] << " ends abruptly";
    }
    // Peaks at least 4 dB below full scale, and loud enough to be heard.
    EXPECT_LE(peak, 20700) << testing::kSoundNames[i];
    EXPECT_GE(peak, 8000) << testing::kSoundNames[i];
    EXPECT_GT(std::sqrt(energy / double(frames)), 800.0) << testing::kSoundNames[i];
  }
}

// Reads an icon file's directory: (width, bits per pixel, bytes, offset) of each image.
struct Entry {
  int size, bpp;
  std::uint32_t bytes, offset;
  int colours;
};
std::vector<Entry> Directory(const Bytes& ico) {
  EXPECT_EQ(testing::Le16(ico.data()), 0u);
  EXPECT_EQ(testing::Le16(ico.data() + 2), 1u);
  std::vector<Entry> out;
  for (std::uint32_t i = 0; i < testing::Le16(ico.data() + 4); ++i) {
    const std::uint8_t* e = ico.data() + 6 + 16 * i;
    EXPECT_EQ(e[0], e[1]);
    EXPECT_EQ(testing::Le16(e + 4), 1u) << "planes";
    out.push_back({e[0] == 0 ? 256 : e[0], static_cast<int>(testing::Le16(e + 6)), testing::Le32(e + 8),
                   testing::Le32(e + 12), e[2]});
    EXPECT_LE(out.back().offset + out.back().bytes, ico.size());
  }
  return out;
}

TEST(DefaultPicture, IsAnOpaque32PixelImageAt24BitsWithTheKanaOnTheFaceAndPngsAtTheLargerSizes) {
  const Bytes ico = Committed("imagedef.ico");
  const auto dir = Directory(ico);
  ASSERT_EQ(dir.size(), kIndicatorSizes.size());
  for (std::size_t i = 1; i < dir.size(); ++i) {
    EXPECT_EQ(dir[i].size, kIndicatorSizes[i]);
    EXPECT_EQ(testing::Le32(ico.data() + dir[i].offset), 0x474E5089u) << "PNG at " << dir[i].size;
  }
  EXPECT_EQ(dir[0].size, 32);
  EXPECT_EQ(dir[0].bpp, 24);
  EXPECT_EQ(dir[0].bytes, 3240u);
  const std::uint32_t at = dir[0].offset;
  const std::uint8_t* h = ico.data() + at;
  EXPECT_EQ(testing::Le32(h), 40u);
  EXPECT_EQ(testing::Le32(h + 4), 32u);
  EXPECT_EQ(testing::Le32(h + 8), 64u);
  EXPECT_EQ(testing::Le16(h + 14), 24u);
  EXPECT_EQ(testing::Le32(h + 16), 0u) << "uncompressed";
  EXPECT_TRUE(std::all_of(h + 40 + 3072, h + 3240, [](std::uint8_t v) { return v == 0; }))
      << "mask not clear";

  // Dark ink lies only on the white face, and there is enough of it to be a glyph.
  auto grey = [&](int x, int y) { return ico[at + 40 + (31 - y) * 96 + x * 3 + 1]; };
  int ink = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      if (grey(x, y) < 64 && x >= 3 && x < 29 && y >= 3 && y < 29) {
        ++ink;
        EXPECT_TRUE(x >= 5 && x < 27 && y >= 4 && y < 24) << "ink off the face at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(ink, 60);
  EXPECT_LT(ink, 200);
  EXPECT_GT(grey(6, 5), 240) << "face is white";
  EXPECT_LT(grey(16, 28), 200) << "body is grey";
}

TEST(ProgramIcon, HoldsNineImagesWithConsistentHeadersAndMasks) {
  const Bytes ico = Committed("ruvano.ico");
  const auto dir = Directory(ico);
  std::multiset<std::pair<int, int>> kinds;
  for (const auto& e : dir) kinds.insert({e.size, e.bpp});
  EXPECT_EQ(kinds,
            (std::multiset<std::pair<int, int>>{
                {16, 4}, {32, 4}, {16, 8}, {32, 8}, {48, 8}, {16, 32}, {32, 32}, {48, 32}, {256, 32}}));
  for (const auto& e : dir) {
    if (e.size == 256) continue;
    SCOPED_TRACE(std::to_string(e.size) + " px " + std::to_string(e.bpp) + " bpp");
    const std::uint8_t* h = ico.data() + e.offset;
    const std::size_t palette = e.bpp <= 8 ? (4u << e.bpp) : 0;
    const std::size_t colourRow = (e.size * e.bpp + 31) / 32 * 4, maskRow = (e.size + 31) / 32 * 4;
    EXPECT_EQ(e.bytes, 40 + palette + (colourRow + maskRow) * e.size);
    EXPECT_EQ(e.colours, e.bpp == 4 ? 16 : 0);
    EXPECT_EQ(testing::Le32(h), 40u);
    EXPECT_EQ(testing::Le32(h + 4), static_cast<std::uint32_t>(e.size));
    EXPECT_EQ(testing::Le32(h + 8), static_cast<std::uint32_t>(2 * e.size));
    EXPECT_EQ(testing::Le16(h + 14), static_cast<std::uint32_t>(e.bpp));
    const std::uint8_t* colour = h + 40 + palette;
    const std::uint8_t* mask = colour + colourRow * e.size;
    int transparent = 0;
    for (int y = 0; y < e.size; ++y) {
      for (int x = 0; x < e.size; ++x) {
        const bool masked = (mask[y * maskRow + x / 8] >> (7 - x % 8)) & 1;
        transparent += masked;
        if (e.bpp == 32) {
          EXPECT_EQ(masked, colour[y * colourRow + x * 4 + 3] == 0) << x << "," << y;
        } else if (masked) {
          const int index = e.bpp == 8 ? colour[y * colourRow + x]
                                       : (colour[y * colourRow + x / 2] >> (x % 2 ? 0 : 4)) & 15;
          EXPECT_EQ(index, 0) << "a transparent pixel must be black, " << x << "," << y;
        }
      }
    }
    // At least the outermost ring is see-through; the middle is not.
    EXPECT_GE(transparent, 4 * e.size - 4);
    EXPECT_FALSE((mask[(e.size / 2) * maskRow + e.size / 16] >> (7 - (e.size / 2) % 8)) & 1);
  }
}

std::uint32_t BitwiseCrc(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}
std::uint32_t Be32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

TEST(ProgramIcon, LargeImageIsAPngThatDecodesToTheDrawing) {
  const Bytes ico = Committed("ruvano.ico");
  const auto dir = Directory(ico);
  const auto big = std::find_if(dir.begin(), dir.end(), [](const Entry& e) { return e.size == 256; });
  ASSERT_NE(big, dir.end());
  const std::uint8_t* p = ico.data() + big->offset;
  const std::uint8_t sig[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_EQ(std::memcmp(p, sig, 8), 0);
  Bytes idat;
  std::vector<std::string> order;
  for (std::size_t at = 8; at < big->bytes;) {
    const std::uint32_t len = Be32(p + at);
    order.emplace_back(reinterpret_cast<const char*>(p + at + 4), 4);
    EXPECT_EQ(Be32(p + at + 8 + len), BitwiseCrc(p + at + 4, len + 4)) << order.back();
    if (order.back() == "IHDR") {
      EXPECT_EQ(Be32(p + at + 8), 256u);
      EXPECT_EQ(Be32(p + at + 12), 256u);
      EXPECT_EQ(p[at + 16], 8);  // bits per channel
      EXPECT_EQ(p[at + 17], 6);  // RGBA
    }
    if (order.back() == "IDAT") idat.insert(idat.end(), p + at + 8, p + at + 8 + len);
    at += 12 + len;
  }
  EXPECT_EQ(order, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));

  const Bytes raw = testing::ZlibInflate(idat);
  ASSERT_EQ(raw.size(), 256u * (1 + 256 * 4));
  const media::Canvas drawn = media::DrawKeyCap(256, media::Symbol::Paw, media::Shading::Smooth);
  std::vector<std::uint8_t> prior(1024, 0), row(1024);
  for (int y = 0; y < 256; ++y) {
    const std::uint8_t* line = raw.data() + y * 1025;
    for (int i = 0; i < 1024; ++i) {
      const int a = i >= 4 ? row[i - 4] : 0, b = prior[i], c = i >= 4 ? prior[i - 4] : 0;
      int pred = 0;
      switch (line[0]) {
        case 0: pred = 0; break;
        case 1: pred = a; break;
        case 2: pred = b; break;
        case 3: pred = (a + b) / 2; break;
        case 4: {
          const int q = a + b - c, pa = std::abs(q - a), pb = std::abs(q - b), pc = std::abs(q - c);
          pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
          break;
        }
        default: FAIL() << "filter " << int(line[0]);
      }
      row[i] = static_cast<std::uint8_t>(line[1 + i] + pred);
    }
    for (int x = 0; x < 256; ++x) {
      const media::Rgba d = drawn.At(x, y);
      ASSERT_EQ((std::vector<int>{row[x * 4], row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]}),
                (std::vector<int>{d.r, d.g, d.b, d.a}))
          << x << "," << y;
    }
    prior = row;
  }
}

TEST(ProgramIcon, SecondGroupPointsAtTheMainIconsImagesInOrder) {
  const Bytes ico = Committed("ruvano.ico");
  const Bytes group = Committed("appicon.grp");
  const std::size_t n = testing::Le16(ico.data() + 4);
  ASSERT_EQ(group.size(), 6 + 14 * n);
  EXPECT_TRUE(std::equal(ico.begin(), ico.begin() + 6, group.begin()));
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_TRUE(std::equal(ico.begin() + 6 + 16 * i, ico.begin() + 18 + 16 * i, group.begin() + 6 + 14 * i));
    EXPECT_EQ(testing::Le16(group.data() + 18 + 14 * i), i + 1);
  }
}

TEST(Deflate, AnIndependentDecoderGetsBackWhatWasCompressed) {
  std::mt19937 rng(7);
  std::vector<Bytes> inputs;
  inputs.push_back({});
  inputs.push_back({42});
  inputs.push_back(Bytes(100000, 0));  // long runs: the longest matches at distance 1
  Bytes noise(70000);
  for (auto& v : noise) v = static_cast<std::uint8_t>(rng());
  inputs.push_back(noise);  // hardly any matches
  Bytes far;                // a block repeated 32 000 bytes later: matches near the window's end
  far.insert(far.end(), noise.begin(), noise.begin() + 32000);
  far.insert(far.end(), noise.begin(), noise.begin() + 5000);
  inputs.push_back(far);
  Bytes mixed;
  for (int i = 0; i < 50000; ++i)
    mixed.push_back(static_cast<std::uint8_t>(i % 7 == 0 ? rng() : (i / 13) % 251));
  inputs.push_back(mixed);
  for (const Bytes& in : inputs) {
    const Bytes z = media::ZlibCompress(in);
    EXPECT_EQ(testing::ZlibInflate(z), in) << in.size() << " bytes";
  }
  EXPECT_LT(media::ZlibCompress(Bytes(100000, 0)).size(), 1000u);
  EXPECT_LT(media::ZlibCompress(far).size(), 70000u - 32000 + 8000);
}

TEST(FixedPoint, SineFollowsTheMathsLibraryClosely) {
  std::mt19937 rng(3);
  std::int64_t worst = 0;
  for (int i = 0; i < 20000; ++i) {
    const std::uint32_t phase =
        i < 8 ? static_cast<std::uint32_t>(i) << 30 >> 1 : static_cast<std::uint32_t>(rng());
    const double exact = std::sin(phase * (2 * M_PI / 4294967296.0)) * (1 << 30);
    worst = std::max<std::int64_t>(worst, std::llabs(media::SinQ30(phase) - std::llround(exact)));
  }
  EXPECT_LT(worst, 200);  // 2e-7 of full scale
  EXPECT_EQ(media::SinQ30(0), 0);
  EXPECT_EQ(media::SinQ30(0x40000000u), 1 << 30);
  EXPECT_EQ(media::SinQ30(0xC0000000u), -(1 << 30));
}

}  // namespace
}  // namespace ruvano
