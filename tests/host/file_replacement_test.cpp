#include <gtest/gtest.h>

#include <map>

#include "settings/file_replacement.h"

namespace ruvano {
namespace {

namespace err = file_error;
const Text kTarget = u"C:\\data\\RUVANO.ini";
const Text kTemp = kTarget + u".~00000ABC00000002.tmp";
const Text kStale = kTarget + u".~00000ABC00000001.tmp";  // an older save's leftover

// Files in memory, whose replacement fails as the ReplaceFileW page documents for a call
// without a backup name (learn.microsoft.com/windows/win32/api/winbase/nf-winbase-replacefilew):
// 1175 leaves both files under their names; 1176 leaves the old file gone and the new one
// under its temporary name; 1177 leaves the old file under another name and the new one under
// its temporary name. A file another program holds gives sharing violations until it lets go.
class FakeFileMoves : public IFileMoves {
 public:
  struct File {
    std::string bytes;
    std::uint64_t written = 0;
  };
  std::map<Text, File> files;
  std::uint32_t replaceError = err::kNone;
  std::uint32_t moveError = err::kNone;
  std::uint64_t heldUntil = 0;  // the target is held until then
  bool removeFails = false;
  std::uint64_t now = 0;

  FileContent Read(const Text& path) override {
    const auto it = files.find(path);
    if (it == files.end()) return {FileReadStatus::Missing, {}};
    return {FileReadStatus::Ok, it->second.bytes};
  }
  bool Exists(const Text& path) override { return files.count(path) != 0; }
  bool Busy(const Text& path) override { return path == kTarget && now < heldUntil; }
  std::uint32_t Replace(const Text& target, const Text& replacement) override {
    if (Busy(target)) return err::kSharingViolation;
    if (replaceError == err::kUnableToMoveReplacement) files.erase(target);
    if (replaceError == err::kUnableToMoveReplacement2) Rename(target, u"C:\\data\\~RF5e1.TMP");
    if (replaceError != err::kNone) return replaceError;
    Rename(replacement, target);
    return err::kNone;
  }
  std::uint32_t Move(const Text& from, const Text& to) override {
    if (Busy(to)) return err::kSharingViolation;
    if (moveError != err::kNone) return moveError;
    Rename(from, to);
    return err::kNone;
  }
  bool Remove(const Text& path) override { return !removeFails && (files.erase(path), true); }
  std::vector<TempFile> TempFilesBeside(const Text& target) override {
    std::vector<TempFile> temps;
    for (const auto& [path, file] : files)
      if (path.starts_with(target + u".~")) temps.push_back({path, file.written, file.bytes.size()});
    return temps;
  }
  std::uint64_t NowMs() override { return now; }
  void Sleep(std::uint32_t ms) override { now += ms; }

 private:
  void Rename(const Text& from, const Text& to) { files[to] = files[from], files.erase(from); }
};

TEST(FileReplacement, EveryOutcomeLeavesTheOldOrTheNewContentWhereTheNextLoadLooks) {
  struct Case {
    const char* what;
    bool hadOld;
    std::uint32_t replaceError, moveError;
    std::uint64_t heldUntil;
    bool removeFails;
    const char* loaded;
  };
  const Case cases[] = {
      {"replaced", true, err::kNone, err::kNone, 0, false, "new"},
      {"held for a moment", true, err::kNone, err::kNone, 300, false, "new"},
      {"held throughout", true, err::kNone, err::kNone, 60000, false, "old"},
      {"1175, rename refused", true, err::kUnableToRemoveReplaced, err::kAccessDenied, 0, false, "old"},
      {"1175, temp stays", true, err::kUnableToRemoveReplaced, err::kAccessDenied, 0, true, "old"},
      {"1176, renamed", true, err::kUnableToMoveReplacement, err::kNone, 0, false, "new"},
      {"1176, rename refused", true, err::kUnableToMoveReplacement, err::kAccessDenied, 0, false, "new"},
      {"1176, rename shared", true, err::kUnableToMoveReplacement, err::kSharingViolation, 0, false, "new"},
      {"1177, rename refused", true, err::kUnableToMoveReplacement2, err::kAccessDenied, 0, false, "new"},
      {"first save, rename refused", false, err::kNone, err::kAccessDenied, 0, false, "new"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFileMoves fs;
    if (c.hadOld) fs.files[kTarget] = {"old", 0};
    fs.files[kStale] = {"stale", 1};
    fs.files[kTemp] = {"new", 2};
    fs.replaceError = c.replaceError;
    fs.moveError = c.moveError;
    fs.heldUntil = c.heldUntil;
    fs.removeFails = c.removeFails;
    const bool done = PutInPlace(fs, kTemp, kTarget);
    EXPECT_EQ(done, std::string(c.loaded) == "new" && fs.Exists(kTarget));
    EXPECT_LE(fs.now, 1400u);
    EXPECT_EQ(ReadNewestCopy(fs, kTarget).bytes, c.loaded);

    // The next save that succeeds puts its content in place and clears every leftover.
    fs.replaceError = fs.moveError = err::kNone;
    fs.heldUntil = 0;
    fs.removeFails = false;
    fs.files[kTarget + u".~00000ABC00000003.tmp"] = {"newer", 3};
    ASSERT_TRUE(PutInPlace(fs, kTarget + u".~00000ABC00000003.tmp", kTarget));
    RemoveStaleTempFiles(fs, kTarget);
    EXPECT_EQ(ReadNewestCopy(fs, kTarget).bytes, "newer");
    EXPECT_TRUE(fs.TempFilesBeside(kTarget).empty());
  }
}

}  // namespace
}  // namespace ruvano
