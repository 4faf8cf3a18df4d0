#include "settings/utf.h"

namespace ruvano {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(Text& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

}  // namespace

Text DecodeUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  const std::size_t n = bytes.size();
  while (i < n) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (b < 0x80) {
      out += static_cast<char16_t>(b);
      ++i;
      continue;
    }
    int need = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
      need = 1;
      cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need = 2;
      cp = b & 0x0F;
      if (b == 0xE0) lo = 0xA0;  // no overlong forms
      if (b == 0xED) hi = 0x9F;  // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
      need = 3;
      cp = b & 0x07;
      if (b == 0xF0) lo = 0x90;  // no overlong forms
      if (b == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
    } else {
      out += kReplacement;
      ++i;
      continue;
    }
    ++i;
    bool complete = true;
    for (int k = 0; k < need; ++k) {
      const auto c = i < n ? static_cast<unsigned char>(bytes[i]) : 0;
      if (i >= n || c < lo || c > hi) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (c & 0x3F);
      ++i;
      lo = 0x80;
      hi = 0xBF;
    }
    if (complete)
      AppendCodePoint(out, cp);
    else
      out += kReplacement;
  }
  return out;
}

void AppendUtf8(std::u16string_view text, std::string& out) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
}

Text DecodeUtf16(std::string_view bytes, bool bigEndian) {
  Text out;
  out.reserve(bytes.size() / 2 + 1);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    out += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  if (i < bytes.size()) out += kReplacement;
  return out;
}

void AppendUtf16(std::u16string_view text, bool bigEndian, std::string& out) {
  for (char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
}

}  // namespace ruvano
