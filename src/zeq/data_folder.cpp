#include "zeq/data_folder.h"

namespace ruvano {

bool IsExistingDirectory(IDataFolderSystem& fs, const Text& path) {
  const auto attributes = fs.Attributes(path);
  if (!attributes || !attributes->directory) return false;
  // A link whose target is gone still reports the directory attribute of the link itself.
  if (attributes->reparsePoint && !fs.Opens(path)) return false;
  return true;
}

bool PrepareDataFolder(IDataFolderSystem& fs, const Text& name, Text& userDataDir) {
  // When the shell query fails the base is empty, and the folders are taken from the root of
  // the current drive.
  Text path = fs.RoamingAppDataPath();
  path += u'\\';
  path += kMakerFolderName;
  if (!IsExistingDirectory(fs, path)) fs.CreateOneDirectory(path);
  path += u'\\';
  path += name;
  if (!IsExistingDirectory(fs, path)) fs.CreateOneDirectory(path);

  userDataDir = path + u'\\';
  return IsExistingDirectory(fs, path);
}

}  // namespace ruvano
