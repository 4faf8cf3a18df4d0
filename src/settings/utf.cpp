#include "settings/utf.h"

namespace ruvano {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c, char32_t first) { return c >= first && c <= first + 0x3FF; }

// How many bytes follow a lead byte; -1 for a byte that starts no sequence.
int FollowingBytes(unsigned char lead) {
  if (lead < 0x80) return 0;
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return -1;
}

}  // namespace

Text DecodeUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    const int need = FollowingBytes(lead);
    // The range of the first following byte keeps out overlong forms, surrogates and code
    // points above U+10FFFF.
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    char32_t cp = need > 0 ? lead & (0x3F >> need) : lead;
    int got = 0;
    for (; got < need && i < bytes.size(); ++got, ++i, low = 0x80, high = 0xBF) {
      const auto c = static_cast<unsigned char>(bytes[i]);
      if (c < low || c > high) break;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (got != need) {
      out += kReplacement;  // the maximal valid prefix of an ill-formed sequence
    } else if (cp < 0x10000) {
      out += static_cast<char16_t>(cp);
    } else {
      out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
  }
  return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsSurrogate(cp, 0xD800) && i + 1 < text.size() && IsSurrogate(text[i + 1], 0xDC00))
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
    else if (IsSurrogate(cp, 0xD800) || IsSurrogate(cp, 0xDC00))
      cp = kReplacement;
    // The lead byte tells the length; each following byte carries six bits.
    static constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    const int follow = cp < 0x80 ? 0 : cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    out += static_cast<char>(kLead[follow] | (cp >> (6 * follow)));
    for (int k = follow - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((cp >> (6 * k)) & 0x3F));
  }
}

Text DecodeUtf16(std::string_view bytes, bool bigEndian) {
  Text out;
  out.reserve(bytes.size() / 2 + 1);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]),
               second = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  if (bytes.size() % 2) out += kReplacement;
  return out;
}

void AppendUtf16(std::u16string_view text, bool bigEndian, std::string& out) {
  for (char16_t c : text) {
    out += static_cast<char>(bigEndian ? c >> 8 : c & 0xFF);
    out += static_cast<char>(bigEndian ? c & 0xFF : c >> 8);
  }
}

}  // namespace ruvano
