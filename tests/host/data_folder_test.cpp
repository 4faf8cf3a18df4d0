#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "zeq/data_folder.h"

namespace ruvano {
namespace {

// A file system of directories, files and links, with a shell-folder query that answers a
// configured base or fails.
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
  std::vector<Text> created;

  FakeFolders() { AddDirectory(base); }
  void AddDirectory(const Text& path) { nodes[path] = {Kind::Directory, {}}; }
  void AddFile(const Text& path) { nodes[path] = {Kind::File, {}}; }
  void AddLink(const Text& path, const Text& target) { nodes[path] = {Kind::Link, target}; }

  Text RoamingAppDataPath() override { return queryFails ? Text() : base; }
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
  Text dir;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_EQ(fs.created, (std::vector<Text>{kMaker, kProgram}));
  EXPECT_EQ(dir, kProgram + u"\\");
}

TEST(PrepareDataFolder, CreatesOnlyWhatIsMissing) {
  FakeFolders fs;
  fs.AddDirectory(kMaker);
  Text dir;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_EQ(fs.created, (std::vector<Text>{kProgram}));

  fs.created.clear();
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_TRUE(fs.created.empty());
  EXPECT_EQ(dir, kProgram + u"\\");
}

TEST(PrepareDataFolder, FileInPlaceOfTheMakersFolderFails) {
  FakeFolders fs;
  fs.AddFile(kMaker);
  Text dir;
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_EQ(fs.nodes.count(kProgram), 0u);
  EXPECT_EQ(dir, kProgram + u"\\");  // stored all the same
}

TEST(PrepareDataFolder, LinksCountOnlyWhenTheirTargetOpens) {
  FakeFolders fs;
  fs.AddDirectory(kMaker);
  fs.AddLink(kProgram, u"D:\\gone");
  Text dir;
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_EQ(fs.created, (std::vector<Text>{kProgram}));  // tried, and failed: the link is there

  fs.AddDirectory(u"D:\\gone");
  fs.created.clear();
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_TRUE(fs.created.empty());
}

TEST(PrepareDataFolder, NeverCreatesAMissingApplicationDataFolder) {
  FakeFolders fs;
  fs.nodes.clear();
  Text dir;
  EXPECT_FALSE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_EQ(fs.created, (std::vector<Text>{kMaker, kProgram}));
  EXPECT_TRUE(fs.nodes.empty());
}

TEST(PrepareDataFolder, FailedShellQueryUsesTheRootOfTheCurrentDrive) {
  FakeFolders fs;
  fs.queryFails = true;
  Text dir;
  EXPECT_TRUE(PrepareDataFolder(fs, u"RUVANO", dir));
  EXPECT_EQ(fs.created, (std::vector<Text>{u"\\ZEQ Project", u"\\ZEQ Project\\RUVANO"}));
  EXPECT_EQ(dir, u"\\ZEQ Project\\RUVANO\\");
}

}  // namespace
}  // namespace ruvano
