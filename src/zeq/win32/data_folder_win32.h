// The data folder on Windows: the shell-folder query, file attributes and directory
// creation behind IDataFolderSystem, and the process-wide entry points start-up uses.
#pragma once

#include "zeq/data_folder.h"

namespace ruvano {

class Win32DataFolderSystem : public IDataFolderSystem {
 public:
  Text ShellFolderPath(std::int32_t csidl) override;
  std::optional<FileAttributes> Attributes(const Text& path) override;
  bool Opens(const Text& path) override;
  bool CreateOneDirectory(const Text& path) override;
};

// GetSpecialFolder and PrepareDataFolder against the real system; PrepareDataFolder stores
// into the process-wide UserDataDir / CommonDataDir.
Text GetSpecialFolder(int index);
bool PrepareDataFolder(const Text& name, bool allUsers);

}  // namespace ruvano
