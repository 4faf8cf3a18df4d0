// The data folder on Windows: the shell-folder query, file attributes and directory
// creation behind IDataFolderSystem, the entry points start-up uses, and the form of a long
// path that the file functions take.
#pragma once

#include <string>

#include "zeq/data_folder.h"
#include "zeq/types.h"

namespace ruvano {

class Win32DataFolderSystem : public IDataFolderSystem {
 public:
  Text RoamingAppDataPath() override;
  std::optional<FileAttributes> Attributes(const Text& path) override;
  bool Opens(const Text& path) override;
  bool CreateOneDirectory(const Text& path) override;
};

// RoamingAppDataPath and PrepareDataFolder against the real system.
Text RoamingAppDataPath();
bool PrepareDataFolder(const Text& name, Text& userDataDir);

// Paths of any length for the file functions. Without the "\\?\" prefix most of them stop at
// MAX_PATH (CreateDirectoryW a little before it), unless the system and the program have both
// opted in to long paths; with it, they take absolute paths up to about 32 767 units.

// The path as the file functions should be given it: a path that is short enough, a relative
// one, or one that already starts with "\\?\" or "\\.\" stays as it is; a longer one is made
// absolute (resolving "." and "..", "/" to "\") and prefixed with "\\?\" (UNC paths with
// "\\?\UNC\").
std::wstring FileSystemPath(const Text& path);

}  // namespace ruvano
