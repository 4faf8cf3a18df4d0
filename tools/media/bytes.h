// Little- and big-endian byte writers for the file formats.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ruvano::media {

using Bytes = std::vector<std::uint8_t>;

inline void Put8(Bytes& b, std::uint32_t v) { b.push_back(static_cast<std::uint8_t>(v)); }
inline void PutLE16(Bytes& b, std::uint32_t v) {
  Put8(b, v);
  Put8(b, v >> 8);
}
inline void PutLE32(Bytes& b, std::uint32_t v) {
  PutLE16(b, v);
  PutLE16(b, v >> 16);
}
inline void PutBE32(Bytes& b, std::uint32_t v) {
  Put8(b, v >> 24);
  Put8(b, v >> 16);
  Put8(b, v >> 8);
  Put8(b, v);
}
inline void PutText(Bytes& b, std::string_view s) { b.insert(b.end(), s.begin(), s.end()); }
inline void PutLE32At(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace ruvano::media
