#include "media/wave_file.h"

#include <stdexcept>

namespace ruvano::media {

namespace {

using L = WaveLayout;

static_assert(sizeof(L::kEncoder) == 14 && 4 + 8 + sizeof(L::kEncoder) == L::kListSize);

// An ID3v2.3 tag of exactly kTagSize bytes: the title and the encoder, then zero padding.
void PutTag(Bytes& b, const std::string& title) {
  const std::size_t start = b.size();
  PutText(b, "ID3");
  Put8(b, 3);  // version 2.3.0
  Put8(b, 0);
  Put8(b, 0);                                   // no flags
  const std::uint32_t body = L::kTagSize - 10;  // the size is stored 7 bits per byte
  for (int shift = 21; shift >= 0; shift -= 7) Put8(b, (body >> shift) & 0x7F);
  auto frame = [&](const char* id, const std::string& text) {
    PutText(b, id);
    PutBE32(b, static_cast<std::uint32_t>(text.size() + 1));
    PutLE16(b, 0);  // frame flags
    Put8(b, 0);     // ISO-8859-1
    PutText(b, text);
  };
  frame("TIT2", title);
  frame("TSSE", L::kEncoder);
  if (b.size() - start > L::kTagSize) throw std::length_error("tag too long");
  b.resize(start + L::kTagSize, 0);
}

}  // namespace

Bytes BuildWave(const std::vector<std::int16_t>& mono, const std::string& title, bool tagged) {
  const auto dataSize = static_cast<std::uint32_t>(mono.size() * L::kBlockAlign);
  Bytes b;
  PutText(b, "RIFF");
  PutLE32(b, 0);  // filled in below
  PutText(b, "WAVE");

  PutText(b, "fmt ");
  PutLE32(b, L::kFmtSize);
  PutLE16(b, 1);  // PCM
  PutLE16(b, L::kChannels);
  PutLE32(b, L::kRate);
  PutLE32(b, L::kByteRate);
  PutLE16(b, L::kBlockAlign);
  PutLE16(b, L::kBits);

  PutText(b, "LIST");
  PutLE32(b, L::kListSize);
  PutText(b, "INFO");
  PutText(b, "ISFT");
  PutLE32(b, sizeof(L::kEncoder));
  b.insert(b.end(), L::kEncoder, L::kEncoder + sizeof(L::kEncoder));

  PutText(b, "data");
  PutLE32(b, dataSize);
  for (std::int16_t s : mono) {
    for (std::uint32_t c = 0; c < L::kChannels; ++c) PutLE16(b, static_cast<std::uint16_t>(s));
  }

  if (tagged) {
    PutText(b, "ID3 ");
    PutLE32(b, L::kTagSize);
    PutTag(b, title);
  }
  PutLE32At(b, 4, static_cast<std::uint32_t>(b.size() - 8));
  return b;
}

}  // namespace ruvano::media
