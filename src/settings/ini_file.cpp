#include "settings/ini_file.h"

#include <string>
#include <utility>

namespace ruvano {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

void AppendCodePoint(Text& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

// UTF-8 to UTF-16; every ill-formed sequence (its maximal valid prefix) becomes one U+FFFD.
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
    if (complete) AppendCodePoint(out, cp);
    else out += kReplacement;
  }
  return out;
}

// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
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
  return out;
}

// UTF-16 bytes in either order to text; a dangling last byte becomes U+FFFD.
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

std::string EncodeUtf16(std::u16string_view text, bool bigEndian) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char16_t c : text) {
    const char high = static_cast<char>(c >> 8);
    const char low = static_cast<char>(c & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

std::u16string_view Trim(std::u16string_view s) {
  std::size_t begin = 0, end = s.size();
  while (begin < end && s[begin] <= 0x20) ++begin;
  while (end > begin && s[end - 1] <= 0x20) --end;
  return s.substr(begin, end - begin);
}

int HexDigit(char16_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

Text ToText(const std::string& ascii) { return Text(ascii.begin(), ascii.end()); }

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::u16string_view value) {
  Text s(value);
  if (s.size() > 2 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) s.replace(0, 2, u"$");
  const std::size_t n = s.size();
  std::size_t i = 0;
  bool negative = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i < n && (s[i] == u'$' || s[i] == u'x' || s[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;

  if (hex) {
    std::uint32_t v = 0;
    int significant = 0;
    for (; i < n; ++i) {
      const int d = HexDigit(s[i]);
      if (d < 0) return std::nullopt;
      if (significant > 0 || d != 0) ++significant;
      if (significant > 8) return std::nullopt;
      v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    if (negative) v = 0u - v;
    return static_cast<std::int32_t>(v);
  }

  std::int64_t v = 0;
  for (; i < n; ++i) {
    if (s[i] < u'0' || s[i] > u'9') return std::nullopt;
    v = v * 10 + (s[i] - u'0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

void IniFile::Parse(std::string_view bytes) {
  Text text;
  if (StartsWith(bytes, kUtf8Mark)) {
    encoding_ = IniEncoding::Utf8;
    text = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  } else if (StartsWith(bytes, kUtf16LEMark)) {
    encoding_ = IniEncoding::Utf16LE;
    text = DecodeUtf16(bytes.substr(kUtf16LEMark.size()), false);
  } else if (StartsWith(bytes, kUtf16BEMark)) {
    encoding_ = IniEncoding::Utf16BE;
    text = DecodeUtf16(bytes.substr(kUtf16BEMark.size()), true);
  } else {
    encoding_ = IniEncoding::Ansi;
    text = text_->DecodeAnsi(bytes);
  }
  ParseText(text);
}

void IniFile::ParseText(const Text& text) {
  sections_.clear();
  sectionIndex_.clear();
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  std::size_t current = kNone;  // the section that takes entries, if any
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", pos);
    std::u16string_view raw;
    if (end == Text::npos) {
      raw = std::u16string_view(text).substr(pos);
      pos = text.size();
    } else {
      raw = std::u16string_view(text).substr(pos, end - pos);
      pos = end + 1;
      if (text[end] == u'\r' && pos < text.size() && text[pos] == u'\n') ++pos;
    }

    const std::u16string_view line = Trim(raw);
    if (line.empty() || line.front() == u';') continue;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      Text name(Trim(line.substr(1, line.size() - 2)));
      Text folded = text_->UpperCase(name);
      if (sectionIndex_.count(folded)) {
        current = kNone;  // a repeated header: its lines are skipped
      } else {
        current = AddSection(std::move(name), std::move(folded));
      }
      continue;
    }
    if (current == kNone) continue;
    const std::size_t eq = line.find(u'=');
    IniEntry entry;
    if (eq == std::u16string_view::npos) {
      entry.key = Text(line);
    } else {
      entry.key = Text(Trim(line.substr(0, eq)));
      entry.value = Text(Trim(line.substr(eq + 1)));
    }
    sections_[current].entries.push_back(std::move(entry));
  }
}

std::string IniFile::Serialize() const {
  Text text;
  for (const IniSection& section : sections_) {
    text += u'[';
    text += section.name;
    text += u"]\r\n";
    for (const IniEntry& entry : section.entries) {
      text += entry.key;
      if (entry.value) {
        text += u'=';
        text += *entry.value;
      }
      text += u"\r\n";
    }
    text += u"\r\n";
  }

  switch (encoding_) {
    case IniEncoding::Utf8:
      return std::string(kUtf8Mark) + EncodeUtf8(text);
    case IniEncoding::Utf16LE:
      return std::string(kUtf16LEMark) + EncodeUtf16(text, false);
    case IniEncoding::Utf16BE:
      return std::string(kUtf16BEMark) + EncodeUtf16(text, true);
    case IniEncoding::Ansi:
      break;
  }
  // The ANSI code page only when it gives every character back as it was; otherwise the
  // text would silently change at the next read, so UTF-8 with its mark keeps it intact.
  if (auto ansi = text_->EncodeAnsi(text); ansi && text_->DecodeAnsi(*ansi) == text) return std::move(*ansi);
  return std::string(kUtf8Mark) + EncodeUtf8(text);
}

std::optional<std::size_t> IniFile::FindSection(std::u16string_view name) const {
  const auto it = sectionIndex_.find(text_->UpperCase(name));
  if (it == sectionIndex_.end()) return std::nullopt;
  return it->second;
}

std::size_t IniFile::AddSection(Text name, Text folded) {
  sections_.push_back(IniSection{std::move(name), {}});
  sectionIndex_.emplace(std::move(folded), sections_.size() - 1);
  return sections_.size() - 1;
}

const IniEntry* IniFile::FindEntry(const IniSection& section, std::u16string_view key) const {
  const Text folded = text_->UpperCase(key);
  for (const IniEntry& entry : section.entries) {
    if (entry.key.size() == key.size() && text_->UpperCase(entry.key) == folded) return &entry;
  }
  return nullptr;
}

IniEntry* IniFile::FindEntry(IniSection& section, std::u16string_view key) const {
  return const_cast<IniEntry*>(FindEntry(static_cast<const IniSection&>(section), key));
}

std::optional<Text> IniFile::ReadValue(std::u16string_view section, std::u16string_view key) const {
  const auto index = FindSection(section);
  if (!index) return std::nullopt;
  const IniEntry* entry = FindEntry(sections_[*index], key);
  if (!entry) return std::nullopt;
  return entry->value;
}

std::int32_t IniFile::ReadInteger(std::u16string_view section, std::u16string_view key,
                                  std::int32_t fallback) const {
  const auto value = ReadValue(section, key);
  if (!value) return fallback;
  return ParseIniInteger(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::u16string_view section, std::u16string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

Text IniFile::ReadText(std::u16string_view section, std::u16string_view key, const Text& fallback) const {
  auto value = ReadValue(section, key);
  return value ? std::move(*value) : fallback;
}

void IniFile::WriteValue(std::u16string_view section, std::u16string_view key, Text value) {
  auto index = FindSection(section);
  if (!index) index = AddSection(Text(section), text_->UpperCase(section));
  IniSection& target = sections_[*index];
  if (IniEntry* entry = FindEntry(target, key)) {
    entry->value = std::move(value);
  } else {
    target.entries.push_back(IniEntry{Text(key), std::move(value)});
  }
}

void IniFile::WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  WriteValue(section, key, ToText(std::to_string(value)));
}

void IniFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteValue(section, key, value ? Text(u"1") : Text(u"0"));
}

}  // namespace ruvano
