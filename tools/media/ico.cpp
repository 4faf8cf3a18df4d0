#include "media/ico.h"

#include <stdexcept>

#include "media/png.h"

namespace ruvano::media {

namespace {

// A pixel counts as drawn in the palette images and the AND mask when it is at least half
// opaque; in a 32-bit image the mask marks only fully transparent pixels.
bool Opaque(Rgba p, int bpp) { return bpp == 32 ? p.a != 0 : p.a >= 128; }

std::size_t RowBytes(int width, int bpp) { return static_cast<std::size_t>((width * bpp + 31) / 32 * 4); }

Bytes BuildBitmap(const IconImage& img) {
  const Canvas& c = img.pixels;
  const int w = c.Width(), h = c.Height(), bpp = img.bitsPerPixel;
  const Palette* palette = bpp == 4 ? &VgaPalette() : bpp == 8 ? &GreyPalette() : nullptr;
  const std::size_t colourRow = RowBytes(w, bpp), maskRow = RowBytes(w, 1);

  Bytes b;
  PutLE32(b, 40);
  PutLE32(b, static_cast<std::uint32_t>(w));
  PutLE32(b, static_cast<std::uint32_t>(2 * h));  // colour and mask stacked
  PutLE16(b, 1);
  PutLE16(b, static_cast<std::uint32_t>(bpp));
  PutLE32(b, 0);  // uncompressed
  PutLE32(b, static_cast<std::uint32_t>((colourRow + maskRow) * static_cast<std::size_t>(h)));
  PutLE32(b, 0);
  PutLE32(b, 0);
  PutLE32(b, 0);  // a full palette
  PutLE32(b, 0);
  if (palette) {
    for (const Rgba& p : *palette) {
      Put8(b, p.b);
      Put8(b, p.g);
      Put8(b, p.r);
      Put8(b, 0);
    }
  }
  for (int y = h - 1; y >= 0; --y) {  // bottom row first
    Bytes row(colourRow, 0);
    for (int x = 0; x < w; ++x) {
      const Rgba p = c.At(x, y);
      const std::size_t o = static_cast<std::size_t>(x);
      switch (bpp) {
        case 4:
          if (Opaque(p, bpp))
            row[o / 2] |= static_cast<std::uint8_t>(Nearest(*palette, p) << (o % 2 ? 0 : 4));
          break;
        case 8:
          if (Opaque(p, bpp)) row[o] = static_cast<std::uint8_t>(Nearest(*palette, p));
          break;
        case 24:
          row[3 * o] = p.b;
          row[3 * o + 1] = p.g;
          row[3 * o + 2] = p.r;
          break;
        case 32:
          row[4 * o] = p.b;
          row[4 * o + 1] = p.g;
          row[4 * o + 2] = p.r;
          row[4 * o + 3] = p.a;
          break;
        default: throw std::invalid_argument("bits per pixel");
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(maskRow, 0);
    for (int x = 0; x < w; ++x) {
      // A 24-bit image has no transparency: its mask stays clear.
      if (bpp != 24 && !Opaque(c.At(x, y), bpp)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

}  // namespace

const Palette& VgaPalette() {
  static const Palette p = {
      {0x00, 0x00, 0x00, 255}, {0x80, 0x00, 0x00, 255}, {0x00, 0x80, 0x00, 255}, {0x80, 0x80, 0x00, 255},
      {0x00, 0x00, 0x80, 255}, {0x80, 0x00, 0x80, 255}, {0x00, 0x80, 0x80, 255}, {0xC0, 0xC0, 0xC0, 255},
      {0x80, 0x80, 0x80, 255}, {0xFF, 0x00, 0x00, 255}, {0x00, 0xFF, 0x00, 255}, {0xFF, 0xFF, 0x00, 255},
      {0x00, 0x00, 0xFF, 255}, {0xFF, 0x00, 0xFF, 255}, {0x00, 0xFF, 0xFF, 255}, {0xFF, 0xFF, 0xFF, 255},
  };
  return p;
}

const Palette& GreyPalette() {
  static const Palette p = [] {
    Palette g;
    for (int i = 0; i < 256; ++i) g.push_back(Grey(static_cast<std::uint8_t>(i)));
    return g;
  }();
  return p;
}

std::size_t Nearest(const Palette& palette, Rgba c) {
  std::size_t best = 0;
  long bestDist = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const long dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
    const long d = dr * dr + dg * dg + db * db;
    if (bestDist < 0 || d < bestDist) {
      bestDist = d;
      best = i;
    }
  }
  return best;
}

Bytes BuildIco(const std::vector<IconImage>& images) {
  std::vector<Bytes> data;
  for (const auto& img : images) {
    data.push_back(img.png || img.pixels.Width() >= 256 ? BuildPng(img.pixels) : BuildBitmap(img));
  }
  Bytes out;
  PutLE16(out, 0);
  PutLE16(out, 1);  // icon
  PutLE16(out, static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int size = images[i].pixels.Width(), bpp = images[i].bitsPerPixel;
    Put8(out, size >= 256 ? 0 : static_cast<std::uint32_t>(size));
    Put8(out, size >= 256 ? 0 : static_cast<std::uint32_t>(images[i].pixels.Height()));
    Put8(out, bpp == 4 ? 16 : 0);  // colours in the palette; 0 when 256 or more
    Put8(out, 0);
    PutLE16(out, 1);  // planes
    PutLE16(out, static_cast<std::uint32_t>(bpp));
    PutLE32(out, static_cast<std::uint32_t>(data[i].size()));
    PutLE32(out, offset);
    offset += static_cast<std::uint32_t>(data[i].size());
  }
  for (const auto& d : data) out.insert(out.end(), d.begin(), d.end());
  return out;
}

Bytes BuildIconGroup(const Bytes& ico, std::uint16_t firstId) {
  const std::size_t count = ico.at(4) | (ico.at(5) << 8);
  Bytes out(ico.begin(), ico.begin() + 6);
  for (std::size_t i = 0; i < count; ++i) {
    const auto entry = ico.begin() + static_cast<std::ptrdiff_t>(6 + 16 * i);
    out.insert(out.end(), entry, entry + 12);  // size, colours, planes, bits, byte count
    PutLE16(out, static_cast<std::uint32_t>(firstId + i));
  }
  return out;
}

}  // namespace ruvano::media
