// Checks the layout of the program's sound files, for the host tests (on the committed
// files) and the Wine tests (on the resources of the built executable).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace ruvano::testing {

// The "data" byte count of each sound, in the order of the sound groups.
inline constexpr std::uint32_t kSoundDataBytes[12] = {41472,  36864,  35704,  6236,  156632, 39936,
                                                      112852, 173908, 109264, 46644, 48036,  17664};
inline constexpr const char* kSoundNames[12] = {"0kacha", "1kata", "2pii", "3pi",  "4pin",  "5pu",
                                                "6po",    "7nya",  "8wan", "9hyu", "10pyu", "11pya"};

inline std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
inline std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}

// Empty when the bytes are a RIFF "WAVE" file of exactly this form: "fmt " (16 bytes: PCM,
// 2 channels, 48000 Hz, 192000 bytes/s, block 4, 16 bits), "LIST" (26 bytes: "INFO" and
// one "ISFT" text of 14 bytes), "data" of dataBytes, and, when tagged, "ID3 " of 1054 bytes
// holding an ID3v2 tag of that size; nothing else. Otherwise what is wrong.
inline std::string CheckWaveForm(const std::uint8_t* p, std::size_t n, std::uint32_t dataBytes, bool tagged,
                                 std::size_t* dataOffset = nullptr) {
  auto is = [&](std::size_t at, const char* id) { return at + 4 <= n && std::memcmp(p + at, id, 4) == 0; };
  if (n < 12 || !is(0, "RIFF") || !is(8, "WAVE")) return "no RIFF WAVE header";
  if (Le32(p + 4) + 8 != n)
    return "RIFF size " + std::to_string(Le32(p + 4)) + " for " + std::to_string(n) + " bytes";
  std::size_t at = 12;
  auto chunk = [&](const char* id, std::uint32_t size) -> std::string {
    if (!is(at, id)) return std::string("expected chunk ") + id + " at " + std::to_string(at);
    if (at + 8 > n || Le32(p + at + 4) != size) return std::string("size of ") + id;
    if (at + 8 + size > n) return std::string(id) + " runs past the end";
    return "";
  };
  if (auto e = chunk("fmt ", 16); !e.empty()) return e;
  const std::uint8_t* f = p + at + 8;
  if (Le16(f) != 1 || Le16(f + 2) != 2 || Le32(f + 4) != 48000 || Le32(f + 8) != 192000 ||
      Le16(f + 12) != 4 || Le16(f + 14) != 16) {
    return "fmt fields";
  }
  at += 24;
  if (auto e = chunk("LIST", 26); !e.empty()) return e;
  const std::uint8_t* l = p + at + 8;
  if (std::memcmp(l, "INFO", 4) != 0 || std::memcmp(l + 4, "ISFT", 4) != 0 || Le32(l + 8) != 14)
    return "LIST content";
  if (l[12] == 0 || l[25] != 0) return "encoder name is not a 13-letter text";
  at += 34;
  if (auto e = chunk("data", dataBytes); !e.empty()) return e;
  if (dataOffset) *dataOffset = at + 8;
  at += 8 + dataBytes;
  if (tagged) {
    if (auto e = chunk("ID3 ", 1054); !e.empty()) return e;
    const std::uint8_t* t = p + at + 8;
    const std::uint32_t tagSize = (t[6] << 21) | (t[7] << 14) | (t[8] << 7) | t[9];
    if (std::memcmp(t, "ID3", 3) != 0 || (t[3] != 3 && t[3] != 4) || tagSize + 10 != 1054)
      return "ID3 tag header";
    at += 8 + 1054;
  }
  if (at != n) return "extra bytes after the last chunk";
  return "";
}

}  // namespace ruvano::testing
