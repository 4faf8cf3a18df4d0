#include "iconv_system_text.h"

#include <algorithm>
#include <cerrno>
#include <cwctype>
#include <stdexcept>
#include <vector>

namespace ruvano::testing {
namespace {

// Little-endian UTF-16 bytes of a text, whatever the host's byte order.
std::string Utf16LEBytes(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size() * 2);
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

}  // namespace

IconvSystemText::IconvSystemText(const char* codePage)
    : decoder_(iconv_open("UTF-16LE", codePage)),
      encoder_(iconv_open(codePage, "UTF-16LE")),
      locale_(newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr)) {
  if (decoder_ == reinterpret_cast<iconv_t>(-1) || encoder_ == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error("iconv lacks the code page");
  }
}

IconvSystemText::~IconvSystemText() {
  iconv_close(decoder_);
  iconv_close(encoder_);
  if (locale_) freelocale(locale_);
}

Text IconvSystemText::DecodeAnsi(std::string_view bytes) const {
  Text out;
  out.reserve(bytes.size());
  iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
  // A bounded buffer, filled again as often as needed, so a large file costs no more than
  // its text.
  std::vector<char> buffer(std::min<std::size_t>(bytes.size() * 4 + 16, 16 * 1024));
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* outPtr = buffer.data();
    size_t outLeft = buffer.size();
    const size_t result = iconv(decoder_, &in, &inLeft, &outPtr, &outLeft);
    for (const char* p = buffer.data(); p + 1 < outPtr; p += 2) {
      out +=
          static_cast<char16_t>(static_cast<unsigned char>(p[0]) | (static_cast<unsigned char>(p[1]) << 8));
    }
    if (result == static_cast<size_t>(-1) && errno != E2BIG) {
      // A byte that starts no character (or a lead byte at the end): one replacement
      // character, as the system's conversion gives, and on with the next byte.
      out += char16_t(0xFFFD);
      ++in;
      --inLeft;
      iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
    }
  }
  return out;
}

std::optional<std::string> IconvSystemText::EncodeAnsi(std::u16string_view text) const {
  iconv(encoder_, nullptr, nullptr, nullptr, nullptr);
  std::string input = Utf16LEBytes(text);
  std::string out(text.size() * 4 + 16, '\0');
  char* in = input.data();
  size_t inLeft = input.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  if (iconv(encoder_, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
  if (iconv(encoder_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

Text IconvSystemText::UpperCase(std::u16string_view text) const {
  Text out(text);
  for (char16_t& c : out) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (!locale_) {
      if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
      continue;
    }
    const wint_t upper = towupper_l(static_cast<wint_t>(c), locale_);
    if (upper <= 0xFFFF && (upper < 0xD800 || upper > 0xDFFF)) c = static_cast<char16_t>(upper);
  }
  return out;
}

}  // namespace ruvano::testing
