// The data folder on Windows: the shell-folder query, file attributes and directory
// creation behind IDataFolderSystem, and the entry points start-up uses.
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

// GetSpecialFolder and PrepareDataFolder against the real system.
Text GetSpecialFolder(int index);
bool PrepareDataFolder(const Text& name, bool allUsers, DataDirs& dirs);

}  // namespace ruvano
