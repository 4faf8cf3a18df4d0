#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/win32/settings_file_win32.h"
#include "settings_window_under_test.h"
#include "zeq/win32/data_folder_win32.h"
#include "zeq/win32/handles.h"

namespace ruvano {
namespace {

const std::string kDefaultFile =
    "[Window]\r\nTop=0\r\nLeft=0\r\n\r\n"
    "[Config]\r\nWaveIndex=0\r\nWaveIndexOFF=0\r\nIcon=0\r\nHint=0\r\nHintString=IME ON\r\n"
    "IconPosition=0\r\nMute=0\r\nOFF=0\r\nScroll=0\r\nAppIcon=0\r\nAlphaBlendValue=100\r\n\r\n";

bool IsDirectory(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((L"\\\\?\\" + folder + L"*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = fd.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &fd));
  FindClose(find);
  return names;
}

void RemoveTree(const std::wstring& folder) {
  for (const std::wstring& name : NamesIn(folder)) {
    const std::wstring path = L"\\\\?\\" + folder + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (IsDirectory(path))
      RemoveTree(folder + name + L"\\");
    else
      DeleteFileW(path.c_str());
  }
  RemoveDirectoryW((L"\\\\?\\" + folder.substr(0, folder.size() - 1)).c_str());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  DWORD put = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
  CloseHandle(f);
}

std::string ReadFileBytes(const std::wstring& path) {
  Win32SettingsFileAccess files;
  return files.ReadWholeFile(ToText(path)).bytes;
}

// A fresh folder standing in for the roaming application-data folder, nested in folders of
// its own down to at least minLength characters.
class TempBase : public Win32DataFolderSystem {
 public:
  explicit TempBase(std::size_t minLength = 0) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    top_ = base_ = std::wstring(temp) + L"ruvano-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(GetTickCount());
    CreateDirectoryW(base_.c_str(), nullptr);
    while (base_.size() < minLength) {
      base_ += L"\\" + std::wstring(40, L'd');
      CreateDirectoryW((L"\\\\?\\" + base_).c_str(), nullptr);
    }
  }
  ~TempBase() override { RemoveTree(top_ + L"\\"); }
  Text RoamingAppDataPath() override { return ToText(base_); }
  const std::wstring& base() const { return base_; }

 private:
  std::wstring top_, base_;
};

TEST(DataFolder, PreparesTheRoamingFolderOfTheSession) {
  const Text appData = RoamingAppDataPath();
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), u'\\');
  wchar_t legacy[MAX_PATH] = {};  // the folder that older copies kept their settings in
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, legacy), S_OK);
  EXPECT_EQ(appData, ToText(legacy));
  Text dir;
  ASSERT_TRUE(PrepareDataFolder(u"RUVANO", dir));
  EXPECT_EQ(dir, appData + u"\\ZEQ Project\\RUVANO\\");
  EXPECT_TRUE(IsDirectory(ToWide(dir)));
}

TEST(DataFolder, CreatesBothLevelsAndRefusesAFileInTheWay) {
  {
    TempBase fs;
    Text dir;
    EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
    EXPECT_TRUE(IsDirectory(fs.base() + L"\\ZEQ Project\\RUVANO"));
    EXPECT_EQ(dir, ToText(fs.base()) + u"\\ZEQ Project\\RUVANO\\");
    EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  }
  {
    TempBase fs;
    WriteFileBytes(fs.base() + L"\\ZEQ Project", "not a folder");
    Text dir;
    EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", dir));
    EXPECT_FALSE(IsDirectory(fs.base() + L"\\ZEQ Project"));
  }
}

TEST(DataFolder, LinkToAMissingTargetDoesNotCount) {
  TempBase fs;
  const std::wstring maker = fs.base() + L"\\ZEQ Project";
  const std::wstring target = fs.base() + L"\\target";
  CreateDirectoryW(maker.c_str(), nullptr);
  CreateDirectoryW(target.c_str(), nullptr);
  const std::wstring link = maker + L"\\RUVANO";
  // Wine 8 answers success without making the link; Windows without the privilege refuses.
  if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) ||
      GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES ||
      !(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT)) {
    GTEST_SKIP() << "directory links cannot be made here";
  }
  Text dir;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  RemoveDirectoryW(target.c_str());
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", dir));
}

TEST(DataFolder, SettingsBeyondMaxPathAreSavedAndRead) {
  TempBase fs(MAX_PATH - 10);
  Text dir;
  ASSERT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  const Text path = SettingsFilePath(dir);
  ASSERT_GT(path.size(), static_cast<std::size_t>(MAX_PATH));
  Settings s;
  s.SetWaveIndex(9);
  ASSERT_TRUE(SaveSettings(path, s));
  Settings loaded;
  LoadSettings(path, loaded);
  EXPECT_EQ(loaded.WaveIndex(), 9);
}

class SettingsFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PrepareDataFolder(fs_, u"RUVANO", dir_));
    folder_ = ToWide(dir_);
    path_ = SettingsFilePath(dir_);
  }
  std::wstring file() const { return ToWide(path_); }

  TempBase fs_;
  Text dir_;
  std::wstring folder_;
  Text path_;
};

TEST_F(SettingsFileOnDisk, SavesTheDefaultFileAndReadsItBackWithoutStrayFiles) {
  Settings s;
  ASSERT_TRUE(SaveSettings(path_, s));
  EXPECT_EQ(ReadFileBytes(file()), kDefaultFile);

  s.SetWaveIndex(7);
  s.SetHintString(u"日本語");
  s.SetTop(-40);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(SaveSettings(path_, s));
  EXPECT_EQ(NamesIn(folder_), std::vector<std::wstring>{L"RUVANO.ini"});

  Settings loaded;
  LoadSettings(path_, loaded);
  EXPECT_EQ(loaded.WaveIndex(), 7);
  EXPECT_EQ(loaded.HintString(), u"日本語");
  EXPECT_EQ(loaded.Top(), -40);
}

TEST_F(SettingsFileOnDisk, ReadOnlyFileIsNeitherChangedNorLost) {
  const std::string mine = "[Config]\r\nHintString=mine\r\n";
  WriteFileBytes(file(), mine);
  SetFileAttributesW(file().c_str(), FILE_ATTRIBUTE_READONLY);
  Settings s;
  LoadSettings(path_, s);
  EXPECT_EQ(s.HintString(), u"mine");
  s.SetHintString(u"changed");
  EXPECT_FALSE(SaveSettings(path_, s));
  EXPECT_EQ(ReadFileBytes(file()), mine);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::wstring>{L"RUVANO.ini"});
}

TEST_F(SettingsFileOnDisk, LockedFileIsNeitherReadNorOverwritten) {
  const std::string mine = "[Config]\r\nMute=1\r\n[Mine]\r\nprecious=1\r\n";
  WriteFileBytes(file(), mine);
  HANDLE lock = CreateFileW(file().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Settings s;
  LoadSettings(path_, s);
  EXPECT_FALSE(s.Mute());
  EXPECT_FALSE(SaveSettings(path_, s));
  CloseHandle(lock);
  EXPECT_EQ(ReadFileBytes(file()), mine);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::wstring>{L"RUVANO.ini"});
}

TEST_F(SettingsFileOnDisk, FailedReplacementKeepsTheOldFileAndRemovesTheNewOne) {
  // Another program reads the file and shares it for reading only: our read works, the
  // replacement does not.
  const std::string mine = "[Config]\r\nMute=1\r\n";
  WriteFileBytes(file(), mine);
  HANDLE reader =
      CreateFileW(file().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  Settings s;
  LoadSettings(path_, s);
  EXPECT_TRUE(s.Mute());
  s.SetMute(false);
  EXPECT_FALSE(SaveSettings(path_, s));
  CloseHandle(reader);
  EXPECT_EQ(ReadFileBytes(file()), mine);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::wstring>{L"RUVANO.ini"});
}

TEST_F(SettingsFileOnDisk, AFileHeldForAMomentIsReplacedOnceItIsFree) {
  // A virus scanner or a sync client reads the file for a moment without delete sharing.
  WriteFileBytes(file(), "[Config]\r\nMute=1\r\n");
  HANDLE holder =
      CreateFileW(file().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  HANDLE release = CreateThread(
      nullptr, 0, [](void* h) -> DWORD { return Sleep(300), CloseHandle(h), 0; }, holder, 0, nullptr);
  EXPECT_TRUE(SaveSettings(path_, Settings()));
  WaitForSingleObject(release, INFINITE);
  CloseHandle(release);
  EXPECT_NE(ReadFileBytes(file()).find("\r\nMute=0\r\n"), std::string::npos);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::wstring>{L"RUVANO.ini"});
}

TEST_F(SettingsFileOnDisk, TemporaryFilesLeftByAnUnfinishedSaveGoAtTheNextSave) {
  // Ours go; a file of the user's stays.
  for (const wchar_t* name : {L"RUVANO.ini.~000012340ABCDEF0.tmp", L"notes.tmp"}) {
    WriteFileBytes(folder_ + name, "x");
  }
  ASSERT_TRUE(SaveSettings(path_, Settings()));
  std::vector<std::wstring> names = NamesIn(folder_);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"RUVANO.ini", L"notes.tmp"}));
}

TEST_F(SettingsFileOnDisk, WithoutTheFileTheNewestCopyAnUnfinishedSaveLeftIsLoadedAndPutInPlace) {
  const std::wstring older = folder_ + L"RUVANO.ini.~00000ABC00000002.tmp";
  const std::wstring newer = folder_ + L"RUVANO.ini.~00000ABC00000001.tmp";
  WriteFileBytes(older, "[Config]\r\nHintString=older\r\n");
  WriteFileBytes(newer, "[Config]\r\nHintString=newer\r\n[Mine]\r\nkept=1\r\n");
  HANDLE h = CreateFileW(older.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  const FILETIME longAgo{0x10000000, 0x01D00000};
  SetFileTime(h, nullptr, nullptr, &longAgo);
  CloseHandle(h);
  Settings s;
  LoadSettings(path_, s);
  EXPECT_EQ(s.HintString(), u"newer");
  ASSERT_TRUE(SaveSettings(path_, s));
  EXPECT_NE(ReadFileBytes(file()).find("[Mine]\r\nkept=1\r\n"), std::string::npos);
  EXPECT_EQ(NamesIn(folder_), std::vector<std::wstring>{L"RUVANO.ini"});
}

TEST_F(SettingsFileOnDisk, HintTextWithLineBreaksSentToTheEditBoxStaysOneLine) {
  Settings s;
  testing::SettingsWindowUnderTest host(s);
  ASSERT_TRUE(host.Open());
  SendMessageW(host.Item(IDC_HINT_TEXT), WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"IME ON\r\n[Config]\r\nMute=1\nOFF=1"));
  EXPECT_EQ(s.HintString(), u"IME ON[Config]Mute=1OFF=1");
  ASSERT_TRUE(SaveSettings(path_, s));
  Settings loaded;
  LoadSettings(path_, loaded);
  EXPECT_EQ(loaded.HintString(), s.HintString());
  EXPECT_FALSE(loaded.Mute());
  EXPECT_FALSE(loaded.Off());
}

TEST_F(SettingsFileOnDisk, SaveIntoARemovedFolderFailsQuietly) {
  RemoveTree(folder_);
  Settings s;
  EXPECT_FALSE(SaveSettings(path_, s));
  LoadSettings(path_, s);
  EXPECT_EQ(s.HintString(), u"IME ON");
}

TEST_F(SettingsFileOnDisk, TextTheCodePageCannotHoldIsSavedAsUtf8) {
  if (GetACP() == CP_UTF8) GTEST_SKIP() << "the ANSI code page is UTF-8";
  Win32SystemText text;
  EXPECT_EQ(text.EncodeAnsi(u"Key=1"), std::string("Key=1"));
  EXPECT_EQ(text.DecodeAnsi("Key=1"), u"Key=1");
  // "Ā" has no place in the Western or Japanese code page; a best-fit "A" would be a silent
  // change too.
  EXPECT_EQ(text.EncodeAnsi(u"\u0100"), std::nullopt);
  EXPECT_EQ(text.EncodeAnsi(u"\u2713"), std::nullopt);

  Settings s;
  s.SetHintString(u"\u0100 \u2713 한글");
  ASSERT_TRUE(SaveSettings(path_, s));
  EXPECT_EQ(ReadFileBytes(file()).substr(0, 3), "\xEF\xBB\xBF");
  Settings loaded;
  LoadSettings(path_, loaded);
  EXPECT_EQ(loaded.HintString(), u"\u0100 \u2713 한글");
}

TEST(Win32SystemText, UpperCaseFollowsTheLocaleOneUnitForOne) {
  Win32SystemText text;
  EXPECT_EQ(text.UpperCase(u"config Ｃｏｎｆｉｇ äö"), u"CONFIG ＣＯＮＦＩＧ ÄÖ");
  EXPECT_EQ(text.UpperCase(u""), u"");
}

}  // namespace
}  // namespace ruvano
