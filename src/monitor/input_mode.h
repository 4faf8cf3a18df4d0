// The input mode of an open IME, as the indicator shows it: the IME's conversion mode bits
// (IME_CMODE_*) sorted into the five modes a Japanese IME offers.
#pragma once

#include <cstdint>

namespace ruvano {

enum class InputMode {
  Hiragana,      // native, full shape: "あ"
  Katakana,      // native katakana, full shape: "カ"
  HalfKatakana,  // native katakana, half shape: "ｶ"
  FullAlnum,     // alphanumeric, full shape: "Ａ"
  HalfAlnum,     // alphanumeric, half shape: "A"
};

// The conversion mode bits this program looks at, as the IME reports them.
inline constexpr std::uint32_t kConversionNative = 0x0001;
inline constexpr std::uint32_t kConversionKatakana = 0x0002;
inline constexpr std::uint32_t kConversionFullShape = 0x0008;

// Sorts a conversion mode into one of the five modes. Native input without the katakana bit
// is hiragana, in either shape; other bits (roman input, symbol mode, …) do not matter.
InputMode ClassifyConversionMode(std::uint32_t mode);

}  // namespace ruvano
