// The system's text services that the settings file needs: the ANSI code page (the active
// code page of Windows) in both directions, and the locale-aware upper-case mapping used to
// compare section and key names without regard to letter case.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "zeq/types.h"

namespace ruvano {

class ISystemText {
 public:
  virtual ~ISystemText() = default;
  // Bytes in the ANSI code page to UTF-16; bytes that form no character come out as a
  // replacement character, never as an error.
  virtual Text DecodeAnsi(std::string_view bytes) const = 0;
  // UTF-16 to the ANSI code page; nothing when some character has no representation there
  // (instead of substituting the code page's default character).
  virtual std::optional<std::string> EncodeAnsi(std::u16string_view text) const = 0;
  // The text with every letter mapped to upper case, one UTF-16 unit for one.
  virtual Text UpperCase(std::u16string_view text) const = 0;
};

}  // namespace ruvano
