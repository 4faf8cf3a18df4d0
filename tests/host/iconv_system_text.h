// ISystemText for host tests and the fuzzer: a real multi-byte ANSI code page through glibc's
// iconv (CP932 by default, the Japanese Windows code page) and the C.UTF-8 locale's upper-case
// mapping.
#pragma once

#include <iconv.h>
#include <locale.h>

#include <string>

#include "settings/system_text.h"

namespace ruvano::testing {

class IconvSystemText : public ISystemText {
 public:
  explicit IconvSystemText(const char* codePage = "CP932");
  ~IconvSystemText() override;
  IconvSystemText(const IconvSystemText&) = delete;
  IconvSystemText& operator=(const IconvSystemText&) = delete;

  Text DecodeAnsi(std::string_view bytes) const override;
  std::optional<std::string> EncodeAnsi(std::u16string_view text) const override;
  Text UpperCase(std::u16string_view text) const override;

 private:
  iconv_t decoder_;
  iconv_t encoder_;
  locale_t locale_;
};

}  // namespace ruvano::testing
