#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "iconv_system_text.h"
#include "settings/settings_file.h"

namespace ruvano {
namespace {

using testing::IconvSystemText;

const std::string kUtf8Mark = "\xEF\xBB\xBF";
const Text kPath = u"C:\\data\\RUVANO.ini";

const std::string kDefaultFile =
    "[Window]\r\nTop=0\r\nLeft=0\r\n\r\n"
    "[Config]\r\nWaveIndex=0\r\nWaveIndexOFF=0\r\nIcon=0\r\nHint=0\r\nHintString=IME ON\r\n"
    "IconPosition=0\r\nMute=0\r\nOFF=0\r\nScroll=0\r\nAppIcon=0\r\nAlphaBlendValue=100\r\n\r\n";

// Files in memory; a file can be made unreadable, and writing can be made to fail (the old
// content then stays, as the real replacement promises). A file over the size cap is not read.
class FakeFiles : public ISettingsFileAccess {
 public:
  std::map<Text, std::string> files;
  bool unreadable = false;
  bool writeFails = false;
  int writes = 0;

  FileContent ReadWholeFile(const Text& path) override {
    if (unreadable) return {FileReadStatus::Unreadable, {}};
    const auto it = files.find(path);
    if (it == files.end()) return {FileReadStatus::Missing, {}};
    if (it->second.size() > kMaxSettingsFileSize) return {FileReadStatus::TooLarge, {}};
    return {FileReadStatus::Ok, it->second};
  }
  bool ReplaceWholeFile(const Text& path, std::string_view bytes) override {
    ++writes;
    if (writeFails) return false;
    files[path] = std::string(bytes);
    return true;
  }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  // Loads the file content into fresh settings.
  Settings Load(const std::string& content) {
    files_.files[kPath] = content;
    Settings s;
    LoadSettings(kPath, s, files_, cp932_);
    return s;
  }
  std::string Save(const Settings& s) {
    EXPECT_TRUE(SaveSettings(kPath, s, files_, cp932_));
    return files_.files[kPath];
  }

  IconvSystemText cp932_;
  FakeFiles files_;
};

TEST_F(SettingsFileTest, FirstSaveWritesTheDefaultFileByteForByte) {
  Settings s;
  EXPECT_EQ(Save(s), kDefaultFile);
  // Saving again changes nothing.
  EXPECT_EQ(Save(s), kDefaultFile);
  EXPECT_EQ(files_.writes, 2);
}

// The input mode options join the file only when switched on; once there they stay, also
// when switched off again, and a file that never had them keeps its 17 lines.
TEST_F(SettingsFileTest, InputModeKeysAreWrittenOnlyOnceTheyMatter) {
  Settings s;
  s.SetShowMode(true);
  const std::string withShowMode = Save(s);
  EXPECT_EQ(withShowMode, kDefaultFile.substr(0, kDefaultFile.size() - 2) + "ShowMode=1\r\n\r\n");
  Settings loaded = Load(withShowMode + "[Config]\r\nAlnumOff=1\r\n");  // a repeated header is skipped
  EXPECT_TRUE(loaded.ShowMode());
  EXPECT_FALSE(loaded.AlnumOff());
  loaded.SetShowMode(false);
  EXPECT_NE(Save(loaded).find("ShowMode=0\r\n"), std::string::npos);
  files_.files.clear();
  EXPECT_EQ(Save(Settings{}), kDefaultFile);
}

// Stays in range: every default is at the top or the bottom of its range.
std::int32_t OtherThan(std::int32_t v) { return v > 0 ? v - 1 : v + 1; }
bool OtherThan(bool v) { return !v; }
Text OtherThan(const Text& v) { return v + u"x"; }

// Every field of the table: a value other than its default is heard as that field, survives a
// copy, makes the values differ from the defaults, and comes back from a save and a load.
TEST_F(SettingsFileTest, EveryFieldCopiesComparesAndRoundTrips) {
  ForEachSetting([&](const auto& row) {
    SCOPED_TRACE(static_cast<int>(row.field));
    Settings s;
    std::vector<SettingField> heard;
    auto subscription = s.Subscribe([&](SettingField f) { heard.push_back(f); });
    (s.*row.set)(OtherThan(s.Values().*row.member));
    EXPECT_EQ(heard, std::vector<SettingField>{row.field});
    EXPECT_NE(s.Values(), SettingValues{});
    EXPECT_EQ(Settings(s).Values(), s.Values());
    files_.files.clear();
    EXPECT_EQ(Load(Save(s)).Values(), s.Values());
  });
}

TEST_F(SettingsFileTest, LoadAssignsEveryKeyInFileOrder) {
  Settings s;
  std::vector<SettingField> order;
  auto subscription = s.Subscribe([&](SettingField f) { order.push_back(f); });
  files_.files[kPath] =
      "[Config]\nAlphaBlendValue=40\nAppIcon=1\nScroll=1\nOFF=1\nMute=1\nIconPosition=2\nHintString=やあ\n"
      "Hint=1\nIcon=1\nWaveIndexOFF=3\nWaveIndex=4\n[Window]\nLeft=-20\nTop=300\n";
  LoadSettings(kPath, s, files_, cp932_);
  EXPECT_EQ(order,
            (std::vector<SettingField>{SettingField::Top, SettingField::Left, SettingField::WaveIndex,
                                       SettingField::OffWaveIndex, SettingField::Icon, SettingField::Hint,
                                       SettingField::HintString, SettingField::IconPosition,
                                       SettingField::Mute, SettingField::Off, SettingField::Scroll,
                                       SettingField::AppIcon, SettingField::AlphaBlendValue}));
  EXPECT_EQ(s.Top(), 300);
  EXPECT_EQ(s.Left(), -20);
  EXPECT_EQ(s.AlphaBlendValue(), 40);
  EXPECT_EQ(s.IconPosition(), 2);
}

TEST_F(SettingsFileTest, AbsentKeysFallBackToCurrentValuesOrFixedDefaults) {
  Settings s;
  s.SetTop(50);
  s.SetLeft(60);
  s.SetWaveIndex(5);
  s.SetAlphaBlendValue(30);
  s.SetIcon(true);
  s.SetHintString(u"kept");
  files_.files[kPath] = "[Config]\nIcon=yes\nTop=1\n";
  LoadSettings(kPath, s, files_, cp932_);
  EXPECT_EQ(s.Top(), 50);  // the window stays where it is
  EXPECT_EQ(s.Left(), 60);
  EXPECT_EQ(s.WaveIndex(), 0);  // the sound choices and the opacity have fixed fallbacks
  EXPECT_EQ(s.AlphaBlendValue(), 100);
  EXPECT_TRUE(s.Icon());
  EXPECT_EQ(s.HintString(), u"kept");
}

TEST_F(SettingsFileTest, MissingOrUnreadableFileAssignsNothing) {
  Settings s;
  int changes = 0;
  auto subscription = s.Subscribe([&](SettingField) { ++changes; });
  LoadSettings(kPath, s, files_, cp932_);
  files_.files[kPath] = "[Config]\nMute=1\n";
  files_.unreadable = true;
  LoadSettings(kPath, s, files_, cp932_);
  EXPECT_EQ(changes, 0);
  EXPECT_FALSE(s.Mute());
}

TEST_F(SettingsFileTest, SaveLeavesAnUnreadableFileAloneAndReportsFailedWrites) {
  files_.files[kPath] = "[Mine]\nprecious=1\n";
  files_.unreadable = true;
  EXPECT_FALSE(SaveSettings(kPath, Settings(), files_, cp932_));
  EXPECT_EQ(files_.writes, 0);
  files_.unreadable = false;
  files_.writeFails = true;
  EXPECT_FALSE(SaveSettings(kPath, Settings(), files_, cp932_));
  EXPECT_EQ(files_.files[kPath], "[Mine]\nprecious=1\n");
}

TEST_F(SettingsFileTest, AFileTooLargeToBeOursIsLeftAlone) {
  const std::string huge = "[Config]\r\nMute=1\r\n" + std::string(kMaxSettingsFileSize, ';');
  Settings s = Load(huge);
  EXPECT_FALSE(s.Mute());
  EXPECT_FALSE(SaveSettings(kPath, s, files_, cp932_));
  EXPECT_EQ(files_.files[kPath], huge);
  EXPECT_EQ(files_.writes, 0);
}

TEST_F(SettingsFileTest, Utf8WithMarkKeepsJapaneseAndItsEncoding) {
  Settings s = Load(kUtf8Mark + "[Config]\r\nHintString=日本語入力\r\n");
  EXPECT_EQ(s.HintString(), u"日本語入力");
  const std::string saved = Save(s);
  EXPECT_EQ(saved.substr(0, 3), kUtf8Mark);
  EXPECT_NE(saved.find("HintString=日本語入力\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, Utf8WithoutMarkReadsAsAnsiAndStaysAnsi) {
  Settings s = Load("[Config]\r\nWaveIndex=3\r\nHintString=日本\r\n");
  EXPECT_EQ(s.WaveIndex(), 3);
  EXPECT_EQ(s.HintString(), u"譌･譛ｬ");  // garbled, but every character is in the code page
  const std::string saved = Save(s);
  EXPECT_NE(saved.substr(0, 3), kUtf8Mark);
  EXPECT_NE(saved.find("HintString=日本\r\n"), std::string::npos);  // the same bytes again
}

TEST_F(SettingsFileTest, TextOutsideTheCodePageSwitchesTheFileToUtf8InsteadOfLosingIt) {
  Settings s = Load("[Config]\r\nHintString=x\r\n");
  s.SetHintString(u"IME ON ✓ 한글");
  const std::string saved = Save(s);
  EXPECT_EQ(saved.substr(0, 3), kUtf8Mark);
  EXPECT_EQ(Load(saved).HintString(), u"IME ON ✓ 한글");

  // Representable Japanese keeps the code page without a mark.
  s.SetHintString(u"かな入力");
  files_.files.erase(kPath);
  const std::string ansi = Save(s);
  EXPECT_NE(ansi.find("HintString=\x82\xA9\x82\xC8\x93\xFC\x97\xCD\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, SaveUpdatesEntriesInPlaceAndDropsWhatDoesNotSurvive) {
  Settings s = Load(
      "; my settings\r\n"
      "stray=1\r\n"
      "[config]\r\n"
      "  waveindex = 3  \r\n"
      "Mute\r\n"
      "\r\n"
      "[Extra]\r\n"
      "keep=this\r\n"
      "[Config]\r\n"
      "WaveIndex=7\r\n"
      "OFF=1\r\n");
  EXPECT_EQ(s.WaveIndex(), 3);
  EXPECT_FALSE(s.Mute());
  EXPECT_FALSE(s.Off());
  s.SetWaveIndex(5);
  EXPECT_EQ(Save(s),
            "[config]\r\nwaveindex=5\r\nMute=0\r\nWaveIndexOFF=0\r\nIcon=0\r\nHint=0\r\nHintString=IME ON\r\n"
            "IconPosition=0\r\nOFF=0\r\nScroll=0\r\nAppIcon=0\r\nAlphaBlendValue=100\r\n\r\n"
            "[Extra]\r\nkeep=this\r\n\r\n"
            "[Window]\r\nTop=0\r\nLeft=0\r\n\r\n");
}

TEST_F(SettingsFileTest, ValueFormatsThroughTheFile) {
  Settings s =
      Load("[Config]\nMute=yes\nOFF=5\nScroll=-1\nAlphaBlendValue=0x32\nWaveIndexOFF=$A\nIcon=true\n");
  EXPECT_FALSE(s.Mute());
  EXPECT_TRUE(s.Off());
  EXPECT_TRUE(s.Scroll());
  EXPECT_EQ(s.AlphaBlendValue(), 50);
  EXPECT_EQ(s.OffWaveIndex(), 10);
  EXPECT_FALSE(s.Icon());
}

TEST_F(SettingsFileTest, HintStringSpacesAndEmptyText) {
  Settings s;
  s.SetHintString(u" padded ");
  EXPECT_NE(Save(s).find("HintString= padded \r\n"), std::string::npos);
  EXPECT_EQ(Load(files_.files[kPath]).HintString(), u"padded");

  s.SetHintString(u"");
  EXPECT_NE(Save(s).find("\r\nHintString=\r\n"), std::string::npos);
  EXPECT_EQ(Load(files_.files[kPath]).HintString(), u"");
}

TEST_F(SettingsFileTest, OutOfRangeValuesAreClampedAndSavedClamped) {
  Settings s = Load("[Config]\nWaveIndex=12\nWaveIndexOFF=-7\nIconPosition=9\nAlphaBlendValue=0\n");
  EXPECT_EQ(s.WaveIndex(), 11);
  EXPECT_EQ(s.OffWaveIndex(), -1);
  EXPECT_EQ(s.IconPosition(), 3);
  EXPECT_EQ(s.AlphaBlendValue(), 10);
  const std::string saved = Save(s);
  for (const char* line :
       {"WaveIndex=11\r\n", "WaveIndexOFF=-1\r\n", "IconPosition=3\r\n", "AlphaBlendValue=10\r\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Load("[Config]\nAlphaBlendValue=1000\nIconPosition=-1\n").AlphaBlendValue(), 100);
  EXPECT_EQ(Load("[Config]\nIconPosition=-1\n").IconPosition(), -1);
  EXPECT_EQ(Load("[Window]\nTop=2147483648\n").Top(), 0);
}

}  // namespace
}  // namespace ruvano
