#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "zeq/data_folder.h"

namespace ruvano {
namespace {

// A file system of directories, files and links, with a shell-folder query that answers a
// configured base (padded with NULs as the system's buffer is) or fails.
class FakeFolders : public IDataFolderSystem {
 public:
  enum class Kind { Directory, File, Link };
  struct Node {
    Kind kind;
    Text target;  // for links
  };

  Text base = u"C:\\Users\\ann\\AppData\\Roaming";
  bool queryFails = false;
  std::map<Text, Node> nodes;
  std::vector<std::int32_t> queried;
  std::vector<Text> created;

  FakeFolders() { AddDirectory(base); }
  void AddDirectory(const Text& path) { nodes[path] = {Kind::Directory, {}}; }
  void AddFile(const Text& path) { nodes[path] = {Kind::File, {}}; }
  void AddLink(const Text& path, const Text& target) { nodes[path] = {Kind::Link, target}; }

  Text ShellFolderPath(std::int32_t csidl) override {
    queried.push_back(csidl);
    if (queryFails) return Text();
    Text buffer = base;
    buffer.resize(260, u'\0');
    return buffer;
  }
  std::optional<FileAttributes> Attributes(const Text& path) override {
    const auto it = nodes.find(path);
    if (it == nodes.end()) return std::nullopt;
    return FileAttributes{it->second.kind != Kind::File, it->second.kind == Kind::Link};
  }
  bool Opens(const Text& path) override {
    const auto it = nodes.find(path);
    if (it == nodes.end()) return false;
    return it->second.kind != Kind::Link || Opens(it->second.target);
  }
  bool CreateOneDirectory(const Text& path) override {
    created.push_back(path);
    if (nodes.count(path)) return false;
    const Text parent = path.substr(0, path.find_last_of(u'\\'));
    // "" is the root of the current drive, which always exists.
    if (!parent.empty() && !(Attributes(parent) && Attributes(parent)->directory && Opens(parent)))
      return false;
    AddDirectory(path);
    return true;
  }
};

const Text kMaker = u"C:\\Users\\ann\\AppData\\Roaming\\ZEQ Project";
const Text kProgram = kMaker + u"\\RUVANO";

TEST(PrepareDataFolder, FirstStartCreatesBothLevelsOuterFirst) {
  FakeFolders fs;
  DataDirs dirs;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_EQ(fs.created, (std::vector<Text>{kMaker, kProgram}));
  EXPECT_EQ(dirs.user, kProgram + u"\\");
  EXPECT_EQ(dirs.common, u"");
  EXPECT_EQ(fs.queried, (std::vector<std::int32_t>{0x1A}));
}

TEST(PrepareDataFolder, CreatesOnlyWhatIsMissing) {
  FakeFolders fs;
  fs.AddDirectory(kMaker);
  DataDirs dirs;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_EQ(fs.created, (std::vector<Text>{kProgram}));

  fs.created.clear();
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_TRUE(fs.created.empty());
  EXPECT_EQ(dirs.user, kProgram + u"\\");
}

TEST(PrepareDataFolder, FileInPlaceOfTheMakersFolderFails) {
  FakeFolders fs;
  fs.AddFile(kMaker);
  DataDirs dirs;
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_EQ(fs.nodes.count(kProgram), 0u);
  EXPECT_EQ(dirs.user, kProgram + u"\\");  // stored all the same
}

TEST(PrepareDataFolder, LinksCountOnlyWhenTheirTargetOpens) {
  FakeFolders fs;
  fs.AddDirectory(kMaker);
  fs.AddLink(kProgram, u"D:\\gone");
  DataDirs dirs;
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_EQ(fs.created, (std::vector<Text>{kProgram}));  // tried, and failed: the link is there

  fs.AddDirectory(u"D:\\gone");
  fs.created.clear();
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_TRUE(fs.created.empty());
}

TEST(PrepareDataFolder, NeverCreatesAMissingApplicationDataFolder) {
  FakeFolders fs;
  fs.nodes.clear();
  DataDirs dirs;
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_EQ(fs.created, (std::vector<Text>{kMaker, kProgram}));
  EXPECT_TRUE(fs.nodes.empty());
}

TEST(PrepareDataFolder, FailedShellQueryUsesTheRootOfTheCurrentDrive) {
  FakeFolders fs;
  fs.queryFails = true;
  DataDirs dirs;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", false, dirs));
  EXPECT_EQ(fs.created, (std::vector<Text>{u"\\ZEQ Project", u"\\ZEQ Project\\RUVANO"}));
  EXPECT_EQ(dirs.user, u"\\ZEQ Project\\RUVANO\\");
}

TEST(PrepareDataFolder, AllUsersChoiceUsesTheCommonFolderAndLeavesTheUserOneAlone) {
  FakeFolders fs;
  fs.base = u"C:\\ProgramData";
  fs.AddDirectory(fs.base);
  DataDirs dirs{u"kept\\", u""};
  EXPECT_TRUE(PrepareDataFolder(fs, u"Other", true, dirs));
  EXPECT_EQ(fs.queried, (std::vector<std::int32_t>{0x23}));
  EXPECT_EQ(dirs.common, u"C:\\ProgramData\\ZEQ Project\\Other\\");
  EXPECT_EQ(dirs.user, u"kept\\");
}

TEST(GetSpecialFolder, MapsIndexesAndCutsTheBufferAtItsFirstNul) {
  FakeFolders fs;
  for (int i = 0; i < kSpecialFolderCount; ++i) EXPECT_EQ(GetSpecialFolder(fs, i), fs.base);
  EXPECT_EQ(fs.queried, (std::vector<std::int32_t>{0x05, 0x1A, 0x1C, 0x23, 0x27, 0x2E}));
  fs.queried.clear();
  EXPECT_EQ(GetSpecialFolder(fs, 6), u"");
  EXPECT_EQ(GetSpecialFolder(fs, -1), u"");
  EXPECT_TRUE(fs.queried.empty());
}

}  // namespace
}  // namespace ruvano
