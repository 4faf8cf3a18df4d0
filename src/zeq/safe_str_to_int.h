#pragma once

#include <cstdint>
#include <string_view>

namespace ruvano {

// Reads a text as a 64-bit signed integer (leading blanks and a sign allowed; decimal digits,
// or hexadecimal digits after "$" or "0x") and returns its low 32 bits. An empty text, a text
// that does not read completely, or one that overflows 64 bits gives 0.
std::int32_t SafeStrToInt(std::u16string_view text);
std::int32_t SafeStrToInt(std::string_view text);

}  // namespace ruvano
