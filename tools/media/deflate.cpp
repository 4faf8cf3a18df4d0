#include "media/deflate.h"

#include <array>
#include <vector>

namespace ruvano::media {

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> t{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[n] = c;
  }
  return t;
}
constexpr auto kCrcTable = MakeCrcTable();

// Bits go out least significant first; Huffman codes are sent from their top bit down.
class BitWriter {
 public:
  explicit BitWriter(Bytes& out) : out_(out) {}
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Push((value >> i) & 1);
  }
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Push((code >> i) & 1);
  }
  void Flush() {
    if (used_) out_.push_back(acc_);
    acc_ = 0;
    used_ = 0;
  }

 private:
  void Push(std::uint32_t bit) {
    acc_ = static_cast<std::uint8_t>(acc_ | (bit << used_));
    if (++used_ == 8) Flush();
  }
  Bytes& out_;
  std::uint8_t acc_ = 0;
  int used_ = 0;
};

// The fixed literal/length code of deflate.
void PutSymbol(BitWriter& w, std::uint32_t sym) {
  if (sym < 144)
    w.Code(0x30 + sym, 8);
  else if (sym < 256)
    w.Code(0x190 + sym - 144, 9);
  else if (sym < 280)
    w.Code(sym - 256, 7);
  else
    w.Code(0xC0 + sym - 280, 8);
}

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                     6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void PutMatch(BitWriter& w, std::uint32_t length, std::uint32_t distance) {
  std::size_t i = kLengthBase.size() - 1;
  while (kLengthBase[i] > length) --i;
  PutSymbol(w, static_cast<std::uint32_t>(257 + i));
  w.Bits(length - kLengthBase[i], kLengthExtra[i]);
  std::size_t d = kDistBase.size() - 1;
  while (kDistBase[d] > distance) --d;
  w.Code(static_cast<std::uint32_t>(d), 5);
  w.Bits(distance - kDistBase[d], kDistExtra[d]);
}

}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc) {
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const Bytes& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : data) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

Bytes ZlibCompress(const Bytes& data) {
  Bytes out = {0x78, 0x9C};
  BitWriter w(out);
  w.Bits(1, 1);  // the final block
  w.Bits(1, 2);  // fixed Huffman codes

  // Greedy LZ77 over hash chains of three-byte prefixes, window 32 KiB.
  constexpr std::size_t kWindow = 32768, kMaxLen = 258, kMinLen = 3, kChain = 128;
  constexpr std::uint32_t kHashSize = 1 << 15;
  std::vector<std::int64_t> head(kHashSize, -1), prev(data.size(), -1);
  auto hash = [&](std::size_t i) {
    return ((std::uint32_t{data[i]} << 10) ^ (std::uint32_t{data[i + 1]} << 5) ^ data[i + 2]) &
           (kHashSize - 1);
  };
  auto insert = [&](std::size_t i) {
    if (i + kMinLen > data.size()) return;
    const std::uint32_t h = hash(i);
    prev[i] = head[h];
    head[h] = static_cast<std::int64_t>(i);
  };
  std::size_t i = 0;
  while (i < data.size()) {
    std::size_t bestLen = 0, bestDist = 0;
    if (i + kMinLen <= data.size()) {
      std::int64_t cand = head[hash(i)];
      for (std::size_t n = 0; cand >= 0 && n < kChain && i - static_cast<std::size_t>(cand) <= kWindow; ++n) {
        const auto c = static_cast<std::size_t>(cand);
        std::size_t len = 0;
        while (len < kMaxLen && i + len < data.size() && data[c + len] == data[i + len]) ++len;
        if (len > bestLen) {
          bestLen = len;
          bestDist = i - c;
          if (len == kMaxLen) break;
        }
        cand = prev[c];
      }
    }
    if (bestLen >= kMinLen) {
      PutMatch(w, static_cast<std::uint32_t>(bestLen), static_cast<std::uint32_t>(bestDist));
      for (std::size_t k = 0; k < bestLen; ++k) insert(i + k);
      i += bestLen;
    } else {
      PutSymbol(w, data[i]);
      insert(i);
      ++i;
    }
  }
  PutSymbol(w, 256);  // end of block
  w.Flush();
  PutBE32(out, Adler32(data));
  return out;
}

}  // namespace ruvano::media
