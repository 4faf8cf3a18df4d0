#include "zeq/safe_str_to_int.h"

namespace ruvano {
namespace {

template <typename Char>
std::int32_t Parse(std::basic_string_view<Char> s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  unsigned base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= s.size()) return 0;
  // Accumulate the magnitude; decimal values must fit a signed 64-bit number, hexadecimal
  // ones may use all 64 bits (as two's complement).
  std::uint64_t value = 0;
  for (; i < s.size(); ++i) {
    const Char c = s[i];
    unsigned digit;
    if (c >= '0' && c <= '9')
      digit = unsigned(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = unsigned(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = unsigned(c - 'A' + 10);
    else
      return 0;
    if (base == 16) {
      if (value >> 60) return 0;
      value = (value << 4) | digit;
    } else {
      const std::uint64_t limit = negative ? (std::uint64_t(1) << 63) : (std::uint64_t(1) << 63) - 1;
      if (value > (limit - digit) / 10) return 0;
      value = value * 10 + digit;
    }
  }
  if (negative) value = ~value + 1;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
}

}  // namespace

std::int32_t SafeStrToInt(std::u16string_view text) { return Parse(text); }
std::int32_t SafeStrToInt(std::string_view text) { return Parse(text); }

}  // namespace ruvano
