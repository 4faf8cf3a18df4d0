#include "media/png.h"

#include <cstdlib>

#include "media/deflate.h"

namespace ruvano::media {

namespace {

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBE32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  PutText(out, type);
  out.insert(out.end(), data.begin(), data.end());
  PutBE32(out, Crc32(out.data() + start, out.size() - start));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

Bytes BuildPng(const Canvas& image) {
  const int w = image.Width(), h = image.Height(), stride = w * 4;
  // Each row is filtered with whichever of the five filters gives the smallest sum of
  // magnitudes, the usual rule of thumb for what compresses best.
  Bytes raw;
  Bytes prior(static_cast<std::size_t>(stride), 0), row(static_cast<std::size_t>(stride));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const Rgba p = image.At(x, y);
      const std::size_t o = static_cast<std::size_t>(x) * 4;
      row[o] = p.r;
      row[o + 1] = p.g;
      row[o + 2] = p.b;
      row[o + 3] = p.a;
    }
    Bytes best;
    long bestCost = -1;
    for (int f = 0; f <= 4; ++f) {
      Bytes line = {static_cast<std::uint8_t>(f)};
      long cost = 0;
      for (int i = 0; i < stride; ++i) {
        const int a = i >= 4 ? row[i - 4] : 0, b = prior[i], c = i >= 4 ? prior[i - 4] : 0;
        const int pred = f == 0 ? 0 : f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : Paeth(a, b, c);
        const auto v = static_cast<std::uint8_t>(row[i] - pred);
        line.push_back(v);
        cost += v < 128 ? v : 256 - v;
      }
      if (bestCost < 0 || cost < bestCost) {
        bestCost = cost;
        best = std::move(line);
      }
    }
    raw.insert(raw.end(), best.begin(), best.end());
    prior = row;
  }

  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  PutBE32(ihdr, static_cast<std::uint32_t>(w));
  PutBE32(ihdr, static_cast<std::uint32_t>(h));
  Put8(ihdr, 8);  // bits per channel
  Put8(ihdr, 6);  // RGBA
  Put8(ihdr, 0);  // deflate
  Put8(ihdr, 0);  // adaptive filtering
  Put8(ihdr, 0);  // no interlace
  PutChunk(out, "IHDR", ihdr);
  PutChunk(out, "IDAT", ZlibCompress(raw));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace ruvano::media
