// An INI-style file held in memory: ordered sections, each with ordered entries, read from
// and written to the file's bytes.
//
// Reading: a byte-order mark picks the encoding (EF BB BF UTF-8, FF FE UTF-16 little-endian,
// FE FF UTF-16 big-endian), otherwise the bytes are in the ANSI code page. Lines end at CR, LF
// or CR LF. Each line is trimmed of characters up to U+0020; empty lines and lines starting
// with ";" are skipped; "[name]" starts a section (a header repeating an earlier section,
// letter case aside, is skipped with the lines under it); other lines before the first
// header are skipped; any other line is an entry "key=value" split at the first "=" (both
// trimmed), or a key without a value when it has no "=".
//
// Writing: each section as "[name]", its entries as "key=value" (or the bare key), then an
// empty line; every line ends with CR LF; the text goes out in the encoding it was read in,
// with its mark, or in the ANSI code page without a mark. When the ANSI code page cannot
// represent some of the text, the file is written in UTF-8 with its mark instead, so that no
// character is lost.
//
// A settings file holds a few sections: they are looked up one after the other, so a lookup
// takes time in proportion to the sections and entries it passes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/system_text.h"
#include "zeq/types.h"

namespace ruvano {

enum class IniEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct IniEntry {
  Text key;
  std::optional<Text> value;  // nothing for a line without "="
  friend bool operator==(const IniEntry&, const IniEntry&) = default;
};

struct IniSection {
  Text name;
  std::vector<IniEntry> entries;
  friend bool operator==(const IniSection&, const IniSection&) = default;
};

class IniFile {
 public:
  // The text services must outlive the file model.
  explicit IniFile(const ISystemText& text) : text_(&text) {}

  // Replaces the model with the content of a file's bytes.
  void Parse(std::string_view bytes);
  // The whole model as file bytes, mark included.
  std::string Serialize() const;

  // The encoding read (Ansi for a file without a mark and for an empty model).
  IniEncoding Encoding() const { return encoding_; }
  const std::vector<IniSection>& Sections() const { return sections_; }

  // Lookups ignore letter case; within a section the first entry with the key counts, and a
  // key without a value counts as absent.
  std::optional<Text> ReadValue(std::u16string_view section, std::u16string_view key) const;
  std::int32_t ReadInteger(std::u16string_view section, std::u16string_view key, std::int32_t fallback) const;
  bool ReadBool(std::u16string_view section, std::u16string_view key, bool fallback) const;
  Text ReadText(std::u16string_view section, std::u16string_view key, const Text& fallback) const;
  // Whether the section holds an entry with the key, with or without a value.
  bool HasKey(std::u16string_view section, std::u16string_view key) const;

  // Sets the value of the first entry with the key (it keeps its place and the letter case
  // of its key), appending the section or the entry when there is none.
  void WriteValue(std::u16string_view section, std::u16string_view key, Text value);
  void WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value);
  void WriteBool(std::u16string_view section, std::u16string_view key, bool value);

 private:
  Text Folded(std::u16string_view name) const;
  bool SameName(std::u16string_view a, std::u16string_view b) const;
  const IniEntry* Find(std::u16string_view section, std::u16string_view key) const;

  const ISystemText* text_;
  IniEncoding encoding_ = IniEncoding::Ansi;
  std::vector<IniSection> sections_;
};

// Reads an integer as the settings file stores it: an optional sign, then decimal digits in
// the signed 32-bit range, or up to 8 significant hexadecimal digits (a 32-bit two's-
// complement value) after "$", "x", "X", "0x" or "0X". Nothing for any other text.
std::optional<std::int32_t> ParseIniInteger(std::u16string_view value);

}  // namespace ruvano
