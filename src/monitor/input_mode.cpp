#include "monitor/input_mode.h"

namespace ruvano {

InputMode ClassifyConversionMode(std::uint32_t mode) {
  const bool full = (mode & kConversionFullShape) != 0;
  if (!(mode & kConversionNative)) return full ? InputMode::FullAlnum : InputMode::HalfAlnum;
  if (mode & kConversionKatakana) return full ? InputMode::Katakana : InputMode::HalfKatakana;
  return InputMode::Hiragana;
}

}  // namespace ruvano
