#include <gtest/gtest.h>

#include <cstdint>

#include "zeq/safe_str_to_int.h"

namespace ruvano {
namespace {

TEST(SafeStrToInt, MalformedTextsGiveZero) {
  EXPECT_EQ(SafeStrToInt(u""), 0);
  EXPECT_EQ(SafeStrToInt(u"abc"), 0);
  EXPECT_EQ(SafeStrToInt(u"12a"), 0);
  EXPECT_EQ(SafeStrToInt(u"-"), 0);
  EXPECT_EQ(SafeStrToInt(u"$"), 0);
  EXPECT_EQ(SafeStrToInt(u"99999999999999999999"), 0);  // beyond 64 bits
  EXPECT_EQ(SafeStrToInt(u"9223372036854775808"), 0);   // one past INT64_MAX
  EXPECT_EQ(SafeStrToInt(u"$10000000000000000"), 0);    // 17 hex digits
}

TEST(SafeStrToInt, ReadsDecimalHexAndSignsAndKeepsLow32Bits) {
  EXPECT_EQ(SafeStrToInt(u"  42"), 42);
  EXPECT_EQ(SafeStrToInt(u"-42"), -42);
  EXPECT_EQ(SafeStrToInt(u"+7"), 7);
  EXPECT_EQ(SafeStrToInt(u"$1F"), 31);
  EXPECT_EQ(SafeStrToInt(u"0x1f"), 31);
  EXPECT_EQ(SafeStrToInt(u"-9223372036854775808"), 0);  // INT64_MIN: low 32 bits are 0
  EXPECT_EQ(SafeStrToInt(u"4294967297"), 1);            // 2^32 + 1
  EXPECT_EQ(SafeStrToInt(u"$FFFFFFFFFFFFFFFF"), -1);
}

TEST(SafeStrToInt, DecimalTextOfAHandleGivesTheHandleBack) {
  for (std::uint32_t h : {0x00010094u, 0x7FFFFFFFu, 0xFFFF1234u}) {
    const std::string text = std::to_string(h);
    EXPECT_EQ(static_cast<std::uint32_t>(SafeStrToInt(text)), h) << text;
  }
}

}  // namespace
}  // namespace ruvano
