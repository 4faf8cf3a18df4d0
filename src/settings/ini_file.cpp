#include "settings/ini_file.h"

#include <algorithm>
#include <functional>
#include <string>
#include <utility>

#include "settings/utf.h"

namespace ruvano {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

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
  buffer_.clear();
  folded_.clear();
  lines_.clear();
  sections_.clear();
  slots_.clear();
  written_.clear();
  added_.clear();
  if (StartsWith(bytes, kUtf8Mark)) {
    encoding_ = IniEncoding::Utf8;
    buffer_ = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  } else if (StartsWith(bytes, kUtf16LEMark)) {
    encoding_ = IniEncoding::Utf16LE;
    buffer_ = DecodeUtf16(bytes.substr(kUtf16LEMark.size()), false);
  } else if (StartsWith(bytes, kUtf16BEMark)) {
    encoding_ = IniEncoding::Utf16BE;
    buffer_ = DecodeUtf16(bytes.substr(kUtf16BEMark.size()), true);
  } else {
    encoding_ = IniEncoding::Ansi;
    buffer_ = text_->DecodeAnsi(bytes);
  }
  // Offsets are 32-bit; the settings file is far smaller than that (its reader has a cap).
  if (buffer_.size() >= kNone / 2) buffer_.clear();

  const std::u16string_view text(buffer_);
  std::size_t breaks = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n'))) ++breaks;
  }
  lines_.reserve(breaks);

  std::uint32_t current = kNone;  // the section that takes entries, if any
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find_first_of(u"\r\n", pos);
    std::u16string_view raw;
    if (end == std::u16string_view::npos) {
      raw = text.substr(pos);
      pos = text.size();
    } else {
      raw = text.substr(pos, end - pos);
      pos = end + 1;
      if (text[end] == u'\r' && pos < text.size() && text[pos] == u'\n') ++pos;
    }

    const std::u16string_view line = Trim(raw);
    if (line.empty() || line.front() == u';') continue;
    const auto begin = static_cast<std::uint32_t>(line.data() - text.data());
    const auto length = static_cast<std::uint32_t>(line.size());
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      const std::u16string_view name = Trim(line.substr(1, line.size() - 2));
      Text folded = Folded(name);
      // A repeated header: its lines are skipped.
      current = FindSection(folded) == kNone
                    ? AddSection(name, std::move(folded), static_cast<std::uint32_t>(lines_.size()))
                    : kNone;
      continue;
    }
    if (current == kNone) continue;
    const std::size_t eq = line.find(u'=');
    lines_.push_back(
        Line{begin, length, eq == std::u16string_view::npos ? kNone : static_cast<std::uint32_t>(eq)});
    sections_[current].end = static_cast<std::uint32_t>(lines_.size());
  }
}

std::u16string_view IniFile::View(std::uint32_t begin, std::uint32_t length) const {
  return std::u16string_view(buffer_).substr(begin, length);
}

std::u16string_view IniFile::KeyOf(const Line& line) const {
  if (line.length == kNone) return written_[line.begin].key;
  if (line.equals == kNone) return View(line.begin, line.length);
  return Trim(View(line.begin, line.equals));
}

std::optional<std::u16string_view> IniFile::ValueOf(const Line& line) const {
  if (line.length == kNone) {
    const IniEntry& entry = written_[line.begin];
    if (!entry.value) return std::nullopt;
    return std::u16string_view(*entry.value);
  }
  if (line.equals == kNone) return std::nullopt;
  return Trim(View(line.begin + line.equals + 1, line.length - line.equals - 1));
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

bool IniFile::SameName(std::u16string_view a, std::u16string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= 0x80 || y >= 0x80) return text_->UpperCase(a) == text_->UpperCase(b);
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - u'a' + u'A');
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - u'a' + u'A');
    if (x != y) return false;
  }
  return true;
}

std::uint32_t IniFile::FindSection(std::u16string_view folded) const {
  if (slots_.empty()) return kNone;
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = std::hash<std::u16string_view>()(folded) & mask;; i = (i + 1) & mask) {
    const std::uint32_t slot = slots_[i];
    if (slot == 0) return kNone;
    const Section& s = sections_[slot - 1];
    if (std::u16string_view(folded_).substr(s.foldedBegin, s.foldedLength) == folded) return slot - 1;
  }
}

std::uint32_t IniFile::AddSection(std::u16string_view name, Text folded, std::uint32_t first) {
  Section section{};
  section.nameBegin = static_cast<std::uint32_t>(name.data() - buffer_.data());
  section.nameLength = static_cast<std::uint32_t>(name.size());
  section.foldedBegin = static_cast<std::uint32_t>(folded_.size());
  section.foldedLength = static_cast<std::uint32_t>(folded.size());
  section.first = section.end = first;
  folded_ += folded;
  sections_.push_back(section);
  const auto index = static_cast<std::uint32_t>(sections_.size() - 1);
  IndexSection(index);
  return index;
}

void IniFile::IndexSection(std::uint32_t index) {
  auto insert = [this](std::uint32_t i) {
    const Section& s = sections_[i];
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot =
        std::hash<std::u16string_view>()(std::u16string_view(folded_).substr(s.foldedBegin, s.foldedLength)) &
        mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = i + 1;
  };
  // At most half full, so that a probe ends soon.
  if (sections_.size() * 2 > slots_.size()) {
    slots_.assign(std::max<std::size_t>(16, slots_.size() * 2), 0);
    for (std::uint32_t i = 0; i < sections_.size(); ++i) insert(i);
  } else {
    insert(index);
  }
}

template <typename Visit>
void IniFile::ForEachLine(const Section& section, std::uint32_t index, Visit&& visit) const {
  for (std::uint32_t i = section.first; i < section.end; ++i) visit(lines_[i]);
  for (const auto& [owner, line] : added_) {
    if (owner == index) visit(line);
  }
}

const IniFile::Line* IniFile::FindEntry(std::uint32_t section, std::u16string_view key) const {
  const Section& s = sections_[section];
  for (std::uint32_t i = s.first; i < s.end; ++i) {
    if (SameName(KeyOf(lines_[i]), key)) return &lines_[i];
  }
  for (const auto& [owner, line] : added_) {
    if (owner == section && SameName(KeyOf(line), key)) return &line;
  }
  return nullptr;
}

IniFile::Line* IniFile::FindEntry(std::uint32_t section, std::u16string_view key) {
  return const_cast<Line*>(static_cast<const IniFile*>(this)->FindEntry(section, key));
}

std::vector<IniSection> IniFile::Sections() const {
  std::vector<IniSection> sections;
  for (std::uint32_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    IniSection& out = sections.emplace_back(IniSection{Text(View(s.nameBegin, s.nameLength)), {}});
    ForEachLine(s, i, [&](const Line& line) {
      const auto value = ValueOf(line);
      out.entries.push_back(
          IniEntry{Text(KeyOf(line)), value ? std::optional<Text>(Text(*value)) : std::nullopt});
    });
  }
  return sections;
}

std::string IniFile::Serialize() const {
  std::string out;
  // The ANSI code page only when it gives every character back as it was; otherwise the
  // text would silently change at the next read, so UTF-8 with its mark keeps it intact.
  if (!SerializeAs(encoding_, out)) SerializeAs(IniEncoding::Utf8, out);
  return out;
}

// Builds the text a piece at a time (whole lines, so no character is split) and encodes each
// piece straight into the output. False when the ANSI code page cannot hold some piece.
bool IniFile::SerializeAs(IniEncoding encoding, std::string& out) const {
  constexpr std::size_t kPiece = 8 * 1024;
  out.clear();
  out.reserve(
      buffer_.size() * (encoding == IniEncoding::Utf16LE || encoding == IniEncoding::Utf16BE ? 2 : 1) + 1024);
  switch (encoding) {
    case IniEncoding::Utf8: out += kUtf8Mark; break;
    case IniEncoding::Utf16LE: out += kUtf16LEMark; break;
    case IniEncoding::Utf16BE: out += kUtf16BEMark; break;
    case IniEncoding::Ansi: break;
  }
  Text piece;
  piece.reserve(kPiece + 256);
  auto flush = [&]() {
    switch (encoding) {
      case IniEncoding::Utf8: AppendUtf8(piece, out); break;
      case IniEncoding::Utf16LE: AppendUtf16(piece, false, out); break;
      case IniEncoding::Utf16BE: AppendUtf16(piece, true, out); break;
      case IniEncoding::Ansi: {
        const auto ansi = text_->EncodeAnsi(piece);
        if (!ansi || text_->DecodeAnsi(*ansi) != piece) return false;
        out += *ansi;
        break;
      }
    }
    piece.clear();
    return true;
  };
  for (std::uint32_t i = 0; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    piece += u'[';
    piece += View(s.nameBegin, s.nameLength);
    piece += u"]\r\n";
    bool ok = true;
    ForEachLine(s, i, [&](const Line& line) {
      if (!ok) return;
      piece += KeyOf(line);
      if (const auto value = ValueOf(line)) {
        piece += u'=';
        piece += *value;
      }
      piece += u"\r\n";
      if (piece.size() >= kPiece) ok = flush();
    });
    if (!ok) return false;
    piece += u"\r\n";
  }
  return piece.empty() || flush();
}

std::optional<Text> IniFile::ReadValue(std::u16string_view section, std::u16string_view key) const {
  const std::uint32_t index = FindSection(Folded(section));
  if (index == kNone) return std::nullopt;
  const Line* line = FindEntry(index, key);
  if (!line) return std::nullopt;
  const auto value = ValueOf(*line);
  if (!value) return std::nullopt;
  return Text(*value);
}

bool IniFile::HasKey(std::u16string_view section, std::u16string_view key) const {
  const std::uint32_t index = FindSection(Folded(section));
  return index != kNone && FindEntry(index, key) != nullptr;
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
  Text folded = Folded(section);
  std::uint32_t index = FindSection(folded);
  if (index == kNone) {
    // The new section's name goes behind the file's text.
    const std::size_t at = buffer_.size();
    buffer_ += section;
    index = AddSection(std::u16string_view(buffer_).substr(at), std::move(folded), 0);
  }
  const auto entry = static_cast<std::uint32_t>(written_.size());
  if (Line* line = FindEntry(index, key)) {
    if (line->length == kNone) {
      written_[line->begin].value = std::move(value);
      return;
    }
    written_.push_back(IniEntry{Text(KeyOf(*line)), std::move(value)});
    *line = Line{entry, kNone, kNone};
  } else {
    written_.push_back(IniEntry{Text(key), std::move(value)});
    added_.emplace_back(index, Line{entry, kNone, kNone});
  }
}

void IniFile::WriteInteger(std::u16string_view section, std::u16string_view key, std::int32_t value) {
  WriteValue(section, key, ToText(std::to_string(value)));
}

void IniFile::WriteBool(std::u16string_view section, std::u16string_view key, bool value) {
  WriteValue(section, key, value ? Text(u"1") : Text(u"0"));
}

}  // namespace ruvano
