// The program's data folder: "ZEQ Project" (shared by all programs of the maker) and below
// it a folder named after the program, inside the user's roaming application-data folder
// (or the all-users one). The algorithm is portable; the file system and the shell-folder
// query come through IDataFolderSystem.
#pragma once

#include <cstdint>
#include <optional>

#include "zeq/types.h"

namespace ruvano {

// What the file system says about an existing entry.
struct FileAttributes {
  bool directory = false;
  bool reparsePoint = false;  // a link (symbolic link, junction, mount point)
};

class IDataFolderSystem {
 public:
  virtual ~IDataFolderSystem() = default;
  // The shell folder of the given CSIDL as the system writes it into a MAX_PATH buffer
  // (current path, current user); the text may carry the buffer's NUL padding. Empty when
  // the query fails.
  virtual Text ShellFolderPath(std::int32_t csidl) = 0;
  // The attributes of the entry, or nothing when they cannot be read (no such entry).
  virtual std::optional<FileAttributes> Attributes(const Text& path) = 0;
  // Whether the entry, followed through a link, can be opened.
  virtual bool Opens(const Text& path) = 0;
  // Creates this one directory (its parent must exist); true on success.
  virtual bool CreateOneDirectory(const Text& path) = 0;
};

// The shell folders that GetSpecialFolder knows, by index.
inline constexpr std::int32_t kSpecialFolderIds[] = {
    0x05,  // CSIDL_PERSONAL: the user's documents
    0x1A,  // CSIDL_APPDATA: the user's roaming application data
    0x1C,  // CSIDL_LOCAL_APPDATA: the user's local application data
    0x23,  // CSIDL_COMMON_APPDATA: application data shared by all users
    0x27,  // CSIDL_MYPICTURES: the user's pictures
    0x2E,  // CSIDL_COMMON_DOCUMENTS: documents shared by all users
};
inline constexpr int kSpecialFolderCount = 6;
inline constexpr int kAppDataIndex = 1;
inline constexpr int kCommonAppDataIndex = 3;

inline constexpr char16_t kMakerFolderName[] = u"ZEQ Project";

// The path of the shell folder with the given index (0..5 into kSpecialFolderIds), without a
// trailing backslash; empty when the query fails or the index is out of range.
Text GetSpecialFolder(IDataFolderSystem& fs, int index);

// True when the path names a directory; a link counts only when its target opens.
bool IsExistingDirectory(IDataFolderSystem& fs, const Text& path);

// The two data folders, each with a trailing backslash; empty until PrepareDataFolder has
// set them.
struct DataDirs {
  Text user;
  Text common;
};

// Creates, where missing, the maker's folder and the program's folder `name` below the
// per-user (or all-users) application-data folder, one level at a time, and stores the
// folder with a trailing backslash in dirs.user (or dirs.common). Failed creations are not
// reported: the result tells whether the program's folder exists afterwards.
bool PrepareDataFolder(IDataFolderSystem& fs, const Text& name, bool allUsers, DataDirs& dirs);

}  // namespace ruvano
