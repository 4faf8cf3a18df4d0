// The data folder on Windows: the shell-folder query, file attributes and directory
// creation behind IDataFolderSystem, and the entry points start-up uses.
#pragma once

#include "zeq/data_folder.h"

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

}  // namespace ruvano
