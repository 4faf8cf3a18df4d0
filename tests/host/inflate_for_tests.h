// A small zlib decoder for the tests (stored and fixed-code blocks, which is what the
// picture generator writes), independent of the encoder under test.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace ruvano::testing {

inline std::vector<std::uint8_t> ZlibInflate(const std::vector<std::uint8_t>& in) {
  if (in.size() < 6 || (in[0] & 0x0F) != 8 || ((in[0] << 8) | in[1]) % 31 != 0)
    throw std::runtime_error("header");
  std::size_t pos = 2;
  std::uint32_t bitBuf = 0;
  int bitCount = 0;
  auto bits = [&](int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i) {
      if (bitCount == 0) {
        if (pos >= in.size()) throw std::runtime_error("out of data");
        bitBuf = in[pos++];
        bitCount = 8;
      }
      v |= (bitBuf & 1) << i;
      bitBuf >>= 1;
      --bitCount;
    }
    return v;
  };
  // Reads one fixed-code literal/length symbol, top bit first.
  auto symbol = [&]() {
    std::uint32_t code = 0;
    for (int len = 1; len <= 9; ++len) {
      code = (code << 1) | bits(1);
      if (len == 7 && code <= 0x17) return 256 + code;
      if (len == 8 && code >= 0x30 && code <= 0xBF) return code - 0x30;
      if (len == 8 && code >= 0xC0 && code <= 0xC7) return 280 + code - 0xC0;
      if (len == 9 && code >= 0x190) return 144 + code - 0x190;
    }
    throw std::runtime_error("bad code");
  };
  static const int lenBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
  static const int lenExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
  static const int distBase[] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                 33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
  std::vector<std::uint8_t> out;
  for (bool last = false; !last;) {
    last = bits(1) != 0;
    const std::uint32_t type = bits(2);
    if (type == 0) {
      bitCount = 0;
      if (pos + 4 > in.size()) throw std::runtime_error("stored header");
      const std::size_t len = in[pos] | (in[pos + 1] << 8);
      pos += 4;
      if (pos + len > in.size()) throw std::runtime_error("stored data");
      out.insert(out.end(), in.begin() + static_cast<std::ptrdiff_t>(pos),
                 in.begin() + static_cast<std::ptrdiff_t>(pos + len));
      pos += len;
    } else if (type == 1) {
      for (;;) {
        const std::uint32_t sym = symbol();
        if (sym < 256) {
          out.push_back(static_cast<std::uint8_t>(sym));
        } else if (sym == 256) {
          break;
        } else {
          if (sym > 285) throw std::runtime_error("bad length");
          const int len = lenBase[sym - 257] + static_cast<int>(bits(lenExtra[sym - 257]));
          std::uint32_t d = 0;
          for (int i = 0; i < 5; ++i) d = (d << 1) | bits(1);
          if (d > 29) throw std::runtime_error("bad distance");
          const std::size_t dist =
              static_cast<std::size_t>(distBase[d]) + bits(static_cast<int>(d < 4 ? 0 : d / 2 - 1));
          if (dist > out.size()) throw std::runtime_error("distance too far");
          for (int i = 0; i < len; ++i) out.push_back(out[out.size() - dist]);
        }
      }
    } else {
      throw std::runtime_error("block type not expected");
    }
  }
  if (pos + 4 != in.size()) throw std::runtime_error("trailer");
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : out) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  const std::uint32_t adler =
      (std::uint32_t{in[pos]} << 24) | (in[pos + 1] << 16) | (in[pos + 2] << 8) | in[pos + 3];
  if (adler != ((b << 16) | a)) throw std::runtime_error("checksum");
  return out;
}

}  // namespace ruvano::testing
