// The Unicode encodings of the settings file: UTF-8 and UTF-16 in either byte order, to and
// from UTF-16 text. Decoding never fails: what is ill-formed becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

#include "zeq/types.h"

namespace ruvano {

// Every ill-formed sequence (its maximal valid prefix) becomes one U+FFFD.
Text DecodeUtf8(std::string_view bytes);
// Appended to out; an unpaired surrogate becomes U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);
// A dangling last byte becomes U+FFFD.
Text DecodeUtf16(std::string_view bytes, bool bigEndian);
void AppendUtf16(std::u16string_view text, bool bigEndian, std::string& out);

}  // namespace ruvano
