#include "app/show_request.h"

#include <string>
#include <string_view>

namespace ruvano {

ShowRequest MakeShowRequest() {
  ShowRequest r;
  const std::u16string_view text = kShowRequestText;
  std::size_t at = 0;
  for (char16_t c : text) {
    r.bytes[at++] = static_cast<std::uint8_t>(c & 0xFF);
    r.bytes[at++] = static_cast<std::uint8_t>(c >> 8);
  }
  // The remaining bytes stay zero: the two NUL code units.
  return r;
}

Text CopyDataText(const void* data, std::uint32_t size) {
  Text text;
  if (!data) return text;
  const auto* bytes = static_cast<const unsigned char*>(data);
  const std::uint32_t units = size / 2;
  for (std::uint32_t i = 0; i < units; ++i) {
    // Little-endian code units, read byte by byte: the payload may sit at any address.
    const char16_t c = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if (c == 0) break;
    text.push_back(c);
  }
  return text;
}

bool IsShowRequest(const void* data, std::uint32_t size) {
  // One code unit more than "/Show" tells it from any longer text, so a large payload is
  // never copied in full.
  constexpr std::uint32_t kEnough = (std::char_traits<char16_t>::length(kShowRequestText) + 1) * 2;
  return CopyDataText(data, size < kEnough ? size : kEnough) == kShowRequestText;
}

bool ShouldShowForCopyData(bool settingsWindowVisible, bool hasPayload, const void* data,
                           std::uint32_t size) {
  if (settingsWindowVisible || !hasPayload) return false;
  return IsShowRequest(data, size);
}

}  // namespace ruvano
