#include "media/fixed.h"

#include <array>

namespace ruvano::media {

namespace {

constexpr int kTableBits = 13;  // 8192 entries for one turn
constexpr int kTableSize = 1 << kTableBits;
constexpr std::int64_t kOne = std::int64_t{1} << 30;
constexpr std::int64_t kPiQ30 = 3373259426;  // π · 2^30, rounded

// sin(x) for 0 <= x <= π/2 (x scaled by 2^30) by its Taylor series in integers.
constexpr std::int64_t TaylorSin(std::int64_t x) {
  const std::int64_t x2 = (x * x) >> 30;
  std::int64_t term = x;
  std::int64_t sum = x;
  for (std::int64_t n = 1; n <= 12; ++n) {
    term = -(term * x2 >> 30) / ((2 * n) * (2 * n + 1));
    sum += term;
  }
  return sum > kOne ? kOne : sum;
}

struct SineTable {
  std::array<std::int32_t, kTableSize + 1> v{};
  constexpr SineTable() {
    const int quarter = kTableSize / 4;
    for (int i = 0; i <= quarter; ++i) {
      const auto s = static_cast<std::int32_t>(TaylorSin(kPiQ30 * i / (2 * quarter)));
      v[i] = s;                 // rising to the peak
      v[2 * quarter - i] = s;   // falling back
      v[2 * quarter + i] = -s;  // the negative half
      if (i > 0) v[kTableSize - i] = -s;
    }
    v[kTableSize] = v[0];
  }
};

constexpr SineTable kSine;

}  // namespace

std::int32_t SinQ30(std::uint32_t phase) {
  const std::uint32_t idx = phase >> (32 - kTableBits);
  const std::int64_t frac = (phase >> (16 - kTableBits)) & 0xFFFF;
  const std::int64_t a = kSine.v[idx];
  const std::int64_t b = kSine.v[idx + 1];
  return static_cast<std::int32_t>(a + (((b - a) * frac) >> 16));
}

std::uint64_t ISqrt(std::uint64_t v) {
  std::uint64_t r = 0;
  std::uint64_t bit = std::uint64_t{1} << 62;
  while (bit > v) bit >>= 2;
  while (bit != 0) {
    if (v >= r + bit) {
      v -= r + bit;
      r = (r >> 1) + bit;
    } else {
      r >>= 1;
    }
    bit >>= 2;
  }
  return r;
}

}  // namespace ruvano::media
