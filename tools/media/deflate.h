// zlib streams (deflate with the fixed Huffman codes and LZ77 matching) and the two
// checksums that PNG files need, written from scratch for the picture generator.
#pragma once

#include <cstdint>

#include "media/bytes.h"

namespace ruvano::media {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const Bytes& data);

// A complete zlib stream (header, one deflate block, Adler-32) of the data.
Bytes ZlibCompress(const Bytes& data);

}  // namespace ruvano::media
