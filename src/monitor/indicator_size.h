// The indicator's size on a monitor: 32 × 32 physical pixels at 96 DPI, growing with the
// monitor's DPI, and 1.5 times that for the large setting. It is always one of the sizes its
// pictures are drawn at, so that nothing is stretched.
#pragma once

#include <array>
#include <cstdint>

namespace ruvano {

// The sizes the generator draws every picture of the indicator at: 32 times the display
// scales 100 % to 300 % in steps of 25 %, for both settings of IconSize. A header without
// includes of the program, so that the generator (tools/) reads the same list.
inline constexpr std::array<std::int32_t, 13> kIndicatorSizes = {32, 40, 48, 56,  60,  64, 72,
                                                                 80, 84, 96, 108, 120, 144};

// The side for a monitor of `dpi` (0: the system cannot tell, taken as 96) and the IconSize
// setting (0 standard, 1 large): the largest drawn size not above 32 × dpi / 96, times 1.5
// when large; never below 32.
constexpr std::int32_t IndicatorSize(std::uint32_t dpi, std::int32_t iconSize) {
  const std::int64_t scaled = std::int64_t{32} * (dpi == 0 ? 96 : dpi) * (iconSize == 1 ? 3 : 2) / (96 * 2);
  std::int32_t size = kIndicatorSizes.front();
  for (std::int32_t s : kIndicatorSizes) {
    if (s <= scaled) size = s;
  }
  return size;
}

}  // namespace ruvano
