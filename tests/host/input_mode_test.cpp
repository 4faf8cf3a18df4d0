#include "monitor/input_mode.h"

#include <gtest/gtest.h>

namespace ruvano {
namespace {

// The conversion modes Japanese IMEs report, with bits that must not change the mode
// (roman input 0x10, symbol 0x400, fixed 0x800) mixed in.
TEST(InputMode, ConversionModesSortIntoTheFiveModes) {
  const struct {
    std::uint32_t mode;
    InputMode expected;
  } cases[] = {
      {0x09, InputMode::Hiragana},     {0x19, InputMode::Hiragana},   {0x01, InputMode::Hiragana},
      {0x0B, InputMode::Katakana},     {0x1B, InputMode::Katakana},   {0x03, InputMode::HalfKatakana},
      {0x13, InputMode::HalfKatakana}, {0x08, InputMode::FullAlnum},  {0x18, InputMode::FullAlnum},
      {0x00, InputMode::HalfAlnum},    {0x10, InputMode::HalfAlnum},  {0x02, InputMode::HalfAlnum},
      {0xC19, InputMode::Hiragana},    {0x810, InputMode::HalfAlnum},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassifyConversionMode(c.mode), c.expected) << std::hex << c.mode;
}

}  // namespace
}  // namespace ruvano
