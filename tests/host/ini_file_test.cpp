#include <gtest/gtest.h>

#include "iconv_system_text.h"
#include "settings/ini_file.h"

namespace ruvano {

// Readable failure output for the model.
std::string Utf8Of(const Text& t) {
  std::string s;
  for (char16_t c : t) s += c < 0x80 ? std::string(1, char(c)) : "\\u" + std::to_string(unsigned(c));
  return s;
}
void PrintTo(const IniEntry& e, std::ostream* os) {
  *os << Utf8Of(e.key) << (e.value ? "=" + Utf8Of(*e.value) : std::string(" (no value)"));
}
void PrintTo(const IniSection& s, std::ostream* os) {
  *os << "[" << Utf8Of(s.name) << "] " << ::testing::PrintToString(s.entries);
}

namespace {

using testing::IconvSystemText;

// A byte string literal with its NULs.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kSjisNihongo = "\x93\xFA\x96\x7B\x8C\xEA";  // 日本語 in CP932
const std::string kUtf8Nihongo = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";

class IniFileTest : public ::testing::Test {
 protected:
  IniFile Read(std::string_view bytes) {
    IniFile ini(cp932_);
    ini.Parse(bytes);
    return ini;
  }
  IconvSystemText cp932_;
};

TEST_F(IniFileTest, MarkDecidesTheEncodingAndIsNotText) {
  IniFile utf8 = Read(kUtf8Mark + "[S]\r\nk=" + kUtf8Nihongo + "\r\n");
  EXPECT_EQ(utf8.Encoding(), IniEncoding::Utf8);
  EXPECT_EQ(utf8.ReadValue(u"S", u"k"), u"日本語");

  IniFile le = Read(Bytes("\xFF\xFE[\0S\0]\0\n\0k\0=\0\xE5\x65"));
  EXPECT_EQ(le.Encoding(), IniEncoding::Utf16LE);
  EXPECT_EQ(le.ReadValue(u"S", u"k"), u"\u65E5");

  IniFile be = Read(Bytes("\xFE\xFF\0[\0S\0]\0\n\0k\0=\x65\xE5"));
  EXPECT_EQ(be.Encoding(), IniEncoding::Utf16BE);
  EXPECT_EQ(be.ReadValue(u"S", u"k"), u"\u65E5");

  IniFile ansi = Read("[S]\r\nk=" + kSjisNihongo);
  EXPECT_EQ(ansi.Encoding(), IniEncoding::Ansi);
  EXPECT_EQ(ansi.ReadValue(u"S", u"k"), u"日本語");
}

TEST_F(IniFileTest, IllFormedBytesBecomeReplacementCharacters) {
  // Overlong "/", an encoded surrogate, a truncated sequence at the end.
  IniFile utf8 = Read(kUtf8Mark +
                      "[S]\nk=a\xC0\xAF"
                      "b\xED\xA0\x80"
                      "c\xE6\x97");
  EXPECT_EQ(utf8.ReadValue(u"S", u"k"), u"a\uFFFD\uFFFDb\uFFFD\uFFFD\uFFFDc\uFFFD");
  IniFile odd = Read(Bytes("\xFF\xFE[\0S\0]\0\n\0k\0=\0x"));
  EXPECT_EQ(odd.ReadValue(u"S", u"k"), u"\uFFFD");
}

TEST_F(IniFileTest, LinesBreakAtCrLfOrCrLfAndAreTrimmed) {
  IniFile ini =
      Read(Bytes("[S]\ra=1\nb=2\r\nc=3\n\rd=4\x00\t \r\n \x01"
                 "e \t= \x1F x y \xB1\n f = 6"));
  ASSERT_EQ(ini.Sections().size(), 1u);
  EXPECT_EQ(
      ini.Sections()[0].entries,
      (std::vector<IniEntry>{
          {u"a", u"1"}, {u"b", u"2"}, {u"c", u"3"}, {u"d", u"4"}, {u"e", u"x y \uFF71"}, {u"f", u"6"}}));
}

TEST_F(IniFileTest, SectionsEntriesCommentsAndRepeatedHeaders) {
  IniFile ini = Read(
      "before=skipped\n"
      "[ First ]\n"
      "; comment\n"
      "noequals\n"
      "k = a = b\n"
      "=v\n"
      "[second]\n"
      "x=1\n"
      "[FIRST]\n"
      "lost=1\n"
      "[Third]\n"
      "[]\n"
      "[x=y]\n");
  std::vector<IniSection> expected = {
      {u"First", {{u"noequals", std::nullopt}, {u"k", u"a = b"}, {u"", u"v"}}},
      {u"second", {{u"x", u"1"}}},
      {u"Third", {}},
      {u"", {}},
      {u"x=y", {}},
  };
  EXPECT_EQ(ini.Sections(), expected);
}

TEST_F(IniFileTest, LookupIgnoresCaseTakesTheFirstKeyAndTreatsABareKeyAsAbsent) {
  IniFile ini = Read(kUtf8Mark + "[Config]\nMute\nMute=1\nwaveindex=3\nwaveindex=4\n[ＣＯＮＦ]\nk=v\n");
  EXPECT_EQ(ini.ReadValue(u"CONFIG", u"WaveIndex"), u"3");
  EXPECT_EQ(ini.ReadValue(u"config", u"Mute"), std::nullopt);
  EXPECT_EQ(ini.ReadValue(u"ｃｏｎｆ", u"K"), u"v");
  EXPECT_EQ(ini.ReadValue(u"Missing", u"k"), std::nullopt);
  EXPECT_EQ(ini.ReadValue(u"Config", u"waveindexx"), std::nullopt);
  EXPECT_EQ(ini.ReadText(u"Config", u"Mute", u"fallback"), u"fallback");
}

TEST(ParseIniInteger, AcceptsDecimalAndHexadecimalInThe32BitRange) {
  const std::pair<std::u16string_view, std::int32_t> good[] = {{u"0", 0},
                                                               {u"+7", 7},
                                                               {u"-7", -7},
                                                               {u"007", 7},
                                                               {u"2147483647", 2147483647},
                                                               {u"-2147483648", -2147483647 - 1},
                                                               {u"0x32", 50},
                                                               {u"0X32", 50},
                                                               {u"$32", 50},
                                                               {u"x1f", 31},
                                                               {u"X1F", 31},
                                                               {u"-$10", -16},
                                                               {u"+0x10", 16},
                                                               {u"$FFFFFFFF", -1},
                                                               {u"$80000000", -2147483647 - 1},
                                                               {u"$0000000012345678", 0x12345678},
                                                               {u"-0x1", -1}};
  for (const auto& [text, value] : good)
    EXPECT_EQ(ParseIniInteger(text), value) << std::string(text.begin(), text.end());

  const std::u16string_view bad[] = {u"",           u"+",           u"-",
                                     u"$",          u"0x",          u"x",
                                     u"2147483648", u"-2147483649", u"99999999999999999999",
                                     u"$100000000", u"1 2",         u" 1",
                                     u"1a",         u"yes",         u"true",
                                     u"0x-5",       u"--1",         u"$$1",
                                     u"１",         u"1.0",         u"0b1"};
  for (auto text : bad)
    EXPECT_EQ(ParseIniInteger(text), std::nullopt) << std::string(text.begin(), text.end());
}

TEST_F(IniFileTest, BooleansReadAsIntegersWithTheirFallback) {
  IniFile ini = Read("[C]\na=yes\nb=5\nc=0\nd=-1\ne=\n");
  EXPECT_FALSE(ini.ReadBool(u"C", u"a", false));
  EXPECT_TRUE(ini.ReadBool(u"C", u"a", true));
  EXPECT_TRUE(ini.ReadBool(u"C", u"b", false));
  EXPECT_FALSE(ini.ReadBool(u"C", u"c", true));
  EXPECT_TRUE(ini.ReadBool(u"C", u"d", false));
  EXPECT_TRUE(ini.ReadBool(u"C", u"e", true));
  EXPECT_EQ(ini.ReadInteger(u"C", u"e", 42), 42);
  EXPECT_EQ(ini.ReadText(u"C", u"e", u"fallback"), u"");
}

TEST_F(IniFileTest, WriterKeepsOrderAndCaseAndEndsEveryLineWithCrLf) {
  IniFile ini = Read("junk\n[config]\n; gone\n\nwaveindex = 3\nMute\n[Other]\nkeep = me\n[CONFIG]\nlost=1\n");
  ini.WriteInteger(u"Config", u"WaveIndex", -1);
  ini.WriteBool(u"Config", u"Mute", true);
  ini.WriteValue(u"Config", u"HintString", u"");
  ini.WriteValue(u"New", u"Key", u" spaced ");
  EXPECT_EQ(ini.Serialize(),
            "[config]\r\nwaveindex=-1\r\nMute=1\r\nHintString=\r\n\r\n"
            "[Other]\r\nkeep=me\r\n\r\n"
            "[New]\r\nKey= spaced \r\n\r\n");
  IniFile empty(cp932_);
  EXPECT_EQ(empty.Serialize(), "");
}

TEST_F(IniFileTest, WriterKeepsTheMarkedEncoding) {
  const std::string utf16le = Bytes("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE5\x65\r\0\n\0\r\0\n\0");
  EXPECT_EQ(Read(utf16le).Serialize(), utf16le);
  const std::string utf16be = Bytes("\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\x65\xE5\0\r\0\n\0\r\0\n");
  EXPECT_EQ(Read(utf16be).Serialize(), utf16be);
  const std::string utf8 = kUtf8Mark + "[S]\r\nk=" + kUtf8Nihongo + "\r\n\r\n";
  EXPECT_EQ(Read(utf8).Serialize(), utf8);
}

TEST_F(IniFileTest, AnsiFileStaysAnsiUnlessSomeTextCannotBeRepresented) {
  IniFile ini = Read("[S]\r\nk=" + kSjisNihongo + "\r\n");
  EXPECT_EQ(ini.Serialize(), "[S]\r\nk=" + kSjisNihongo + "\r\n\r\n");

  // Hangul and a check mark are not in CP932: rather than writing "?" the file becomes UTF-8.
  ini.WriteValue(u"S", u"k", u"日本語 한 \u2713");
  const std::string written = ini.Serialize();
  EXPECT_EQ(written, kUtf8Mark + "[S]\r\nk=" + kUtf8Nihongo + " \xED\x95\x9C \xE2\x9C\x93\r\n\r\n");
  EXPECT_EQ(Read(written).ReadValue(u"S", u"k"), u"日本語 한 \u2713");
}

}  // namespace
}  // namespace ruvano
