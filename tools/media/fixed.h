// Fixed-point arithmetic for the generators. Everything that decides a byte of the output is
// integer arithmetic, so the sounds and pictures come out bit-identical on every machine and
// with every compiler and maths library.
#pragma once

#include <cstdint>

namespace ruvano::media {

// One full turn of the phase is 2^32. Returns sin(2π · phase / 2^32) scaled by 2^30.
std::int32_t SinQ30(std::uint32_t phase);
inline std::int32_t CosQ30(std::uint32_t phase) { return SinQ30(phase + 0x40000000u); }

// A small deterministic pseudo-random generator (xorshift32).
class Random {
 public:
  explicit Random(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  std::uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // A uniform value in [-2^24, 2^24).
  std::int32_t NextQ24() { return static_cast<std::int32_t>(Next() >> 7) - (1 << 24); }
  // A uniform value in [0, n).
  std::uint32_t Below(std::uint32_t n) { return Next() % n; }

 private:
  std::uint32_t state_;
};

// Integer square root (floor).
std::uint64_t ISqrt(std::uint64_t v);

// Rounded division of a signed value by a positive one, halves away from zero.
inline std::int64_t DivRound(std::int64_t num, std::int64_t den) {
  return num >= 0 ? (num + den / 2) / den : -((-num + den / 2) / den);
}

}  // namespace ruvano::media
