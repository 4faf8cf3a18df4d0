// The sound file layout the program carries: RIFF "WAVE" with a PCM "fmt " chunk (stereo,
// 48 kHz, 16-bit), a "LIST"/"INFO" chunk naming the encoder, the "data" chunk and, when
// asked, an "ID3 " chunk holding an ID3v2 tag with the title.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/bytes.h"

namespace ruvano::media {

struct WaveLayout {
  static constexpr std::uint32_t kChannels = 2;
  static constexpr std::uint32_t kRate = 48000;
  static constexpr std::uint32_t kBits = 16;
  static constexpr std::uint32_t kBlockAlign = kChannels * kBits / 8;
  static constexpr std::uint32_t kByteRate = kRate * kBlockAlign;
  static constexpr std::uint32_t kFmtSize = 16;    // size field of "fmt "
  static constexpr std::uint32_t kListSize = 26;   // size field of "LIST": "INFO" + one "ISFT" of 14
  static constexpr std::uint32_t kTagSize = 1054;  // size field of "ID3 ": the whole ID3v2 tag
  static constexpr const char kEncoder[] = "RUVANO wavgen";  // 13 letters and a NUL: 14 bytes
};

// The complete file: each mono sample goes to both channels.
Bytes BuildWave(const std::vector<std::int16_t>& mono, const std::string& title, bool tagged);

}  // namespace ruvano::media
