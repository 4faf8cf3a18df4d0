#include "settings/ini_file.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <utility>

#include "settings/utf.h"

namespace ruvano {
namespace {

// The byte-order mark of each encoding, in the order of IniEncoding.
constexpr std::string_view kMarks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};

std::string_view MarkOf(IniEncoding encoding) { return kMarks[static_cast<int>(encoding)]; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && s.front() <= 0x20) s.remove_prefix(1);
  while (!s.empty() && s.back() <= 0x20) s.remove_suffix(1);
  return s;
}

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsX(char16_t c) { return c == u'x' || c == u'X'; }

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::u16string_view value) {
  Text s(value);
  if (s.size() > 2 && s[0] == u'0' && IsX(s[1])) s.replace(0, 2, u"$");
  std::u16string_view v(s);
  const bool negative = !v.empty() && v[0] == u'-';
  if (!v.empty() && (v[0] == u'+' || v[0] == u'-')) v.remove_prefix(1);
  int base = 10;
  if (!v.empty() && (v[0] == u'$' || IsX(v[0]))) {
    base = 16;
    v.remove_prefix(1);
  } else if (v.size() > 1 && v[0] == u'0' && IsX(v[1])) {
    base = 16;
    v.remove_prefix(2);
  }
  if (v.empty()) return std::nullopt;

  std::uint64_t n = 0;
  int significant = 0;
  for (char16_t c : v) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= base) return std::nullopt;
    if (significant > 0 || digit != 0) ++significant;
    n = n * base + digit;
    if (base == 16 ? significant > 8 : n > 2147483648u) return std::nullopt;
  }
  // Hexadecimal digits are the 32 bits of a two's-complement value.
  if (base == 16) return static_cast<std::int32_t>(negative ? 0u - std::uint32_t(n) : std::uint32_t(n));
  if (!negative && n > 2147483647u) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -std::int64_t(n) : std::int64_t(n));
}

void IniFile::Parse(std::string_view bytes) {
  sections_.clear();
  encoding_ = IniEncoding::Ansi;
  for (IniEncoding e : {IniEncoding::Utf8, IniEncoding::Utf16LE, IniEncoding::Utf16BE}) {
    if (bytes.starts_with(MarkOf(e))) {
      encoding_ = e;
      bytes.remove_prefix(MarkOf(e).size());
      break;
    }
  }
  const Text text = encoding_ == IniEncoding::Ansi   ? text_->DecodeAnsi(bytes)
                    : encoding_ == IniEncoding::Utf8 ? DecodeUtf8(bytes)
                                                     : DecodeUtf16(bytes, encoding_ == IniEncoding::Utf16BE);

  // The upper-cased names of the sections so far, so that a repeated header is found without
  // comparing it with every section before it; room for one per "[" of the text.
  std::unordered_set<Text> seen(std::count(text.begin(), text.end(), u'['));
  bool taking = false;  // whether entries go to the last section
  const std::u16string_view all(text);
  for (std::size_t pos = 0; pos < all.size();) {
    const std::size_t end = std::min(all.find_first_of(u"\r\n", pos), all.size());
    const std::u16string_view line = Trim(all.substr(pos, end - pos));
    pos = end + (all.substr(end, 2) == u"\r\n" ? 2 : 1);

    if (line.empty() || line.front() == u';') continue;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      const std::u16string_view name = Trim(line.substr(1, line.size() - 2));
      taking = seen.insert(Folded(name)).second;
      if (taking) sections_.push_back({Text(name), {}});
    } else if (taking) {
      const std::size_t equals = line.find(u'=');
      std::vector<IniEntry>& entries = sections_.back().entries;
      if (equals == std::u16string_view::npos)
        entries.push_back({Text(line), std::nullopt});
      else
        entries.push_back({Text(Trim(line.substr(0, equals))), Text(Trim(line.substr(equals + 1)))});
    }
  }
}

std::string IniFile::Serialize() const {
  Text text;
  for (const IniSection& section : sections_) {
    text.append(u"[").append(section.name).append(u"]\r\n");
    for (const IniEntry& entry : section.entries) {
      text += entry.key;
      if (entry.value) text.append(u"=").append(*entry.value);
      text += u"\r\n";
    }
    text += u"\r\n";
  }

  std::string out(MarkOf(encoding_));
  switch (encoding_) {
    case IniEncoding::Utf8: AppendUtf8(text, out); break;
    case IniEncoding::Utf16LE:
    case IniEncoding::Utf16BE: AppendUtf16(text, encoding_ == IniEncoding::Utf16BE, out); break;
    case IniEncoding::Ansi:
      // The ANSI code page only when it gives every character back as it was; otherwise the
      // text would silently change at the next read, so UTF-8 with its mark keeps it intact.
      if (auto ansi = text_->EncodeAnsi(text); ansi && text_->DecodeAnsi(*ansi) == text)
        return std::move(*ansi);
      out = MarkOf(IniEncoding::Utf8);
      AppendUtf8(text, out);
      break;
  }
  return out;
}

// Plain ASCII is upper-cased here (the system's mapping does the same to it); anything else
// goes through the system's mapping.
Text IniFile::Folded(std::u16string_view name) const {
  Text folded(name);
  for (char16_t& c : folded) {
    if (c >= 0x80) return text_->UpperCase(name);
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return folded;
}

// The mapping gives one unit for one, so names of different lengths never match.
bool IniFile::SameName(std::u16string_view a, std::u16string_view b) const {
  return a.size() == b.size() && Folded(a) == Folded(b);
}

const IniEntry* IniFile::Find(std::u16string_view section, std::u16string_view key) const {
  for (const IniSection& s : sections_) {
    if (!SameName(s.name, section)) continue;
    for (const IniEntry& entry : s.entries)
      if (SameName(entry.key, key)) return &entry;
    return nullptr;
  }
  return nullptr;
}

std::optional<Text> IniFile::ReadValue(std::u16string_view section, std::u16string_view key) const {
  const IniEntry* entry = Find(section, key);
  return entry ? entry->value : std::nullopt;
}

bool IniFile::HasKey(std::u16string_view section, std::u16string_view key) const {
  return Find(section, key) != nullptr;
}

std::int32_t IniFile::ReadInteger(std::u16string_view section, std::u16string_view key,
                                  std::int32_t fallback) const {
  const auto value = ReadValue(section, key);
  return value ? ParseIniInteger(*value).value_or(fallback) : fallback;
}

bool IniFile::ReadBool(std::u16string_view section, std::u16string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

Text IniFile::ReadText(std::u16string_view section, std::u16string_view key, const Text& fallback) const {
  return ReadValue(section, key).value_or(fallback);
}

void IniFile::WriteValue(std::u16string_view section, std::u16string_view key, Text value) {
  auto s = std::find_if(sections_.begin(), sections_.end(),
                        [&](const IniSection& s) { return SameName(s.name, section); });
  if (s == sections_.end()) s = sections_.insert(s, IniSection{Text(section), {}});
  for (IniEntry& entry : s->entries) {
    if (SameName(entry.key, key)) {
      entry.value = std::move(value);
      return;
    }
  }
  s->entries.push_back({Text(key), std::move(value)});
}

void IniFile::WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  const std::string digits = std::to_string(value);
  WriteValue(section, key, Text(digits.begin(), digits.end()));
}

void IniFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteValue(section, key, value ? u"1" : u"0");
}

}  // namespace ruvano
