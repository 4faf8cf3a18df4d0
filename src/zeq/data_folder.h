// The program's data folder: "ZEQ Project" (shared by all programs of the maker) and below
// it a folder named after the program, inside the user's roaming application-data folder.
// The algorithm is portable; the file system and the shell-folder query come through
// IDataFolderSystem.
#pragma once

#include <optional>

#include "zeq/contract_strings.h"
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
  // The current user's roaming application-data folder, without a trailing backslash; empty
  // when the query fails.
  virtual Text RoamingAppDataPath() = 0;
  // The attributes of the entry, or nothing when they cannot be read (no such entry).
  virtual std::optional<FileAttributes> Attributes(const Text& path) = 0;
  // Whether the entry, followed through a link, can be opened.
  virtual bool Opens(const Text& path) = 0;
  // Creates this one directory (its parent must exist); true on success.
  virtual bool CreateOneDirectory(const Text& path) = 0;
};

// True when the path names a directory; a link counts only when its target opens.
bool IsExistingDirectory(IDataFolderSystem& fs, const Text& path);

// Creates, where missing, the maker's folder and the program's folder `name` below the
// roaming application-data folder, one level at a time, and stores the folder with a
// trailing backslash in userDataDir. Failed creations are not reported: the result tells
// whether the program's folder exists afterwards.
bool PrepareDataFolder(IDataFolderSystem& fs, const Text& name, Text& userDataDir);

}  // namespace ruvano
