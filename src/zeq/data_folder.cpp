#include "zeq/data_folder.h"

namespace ruvano {

Text GetSpecialFolder(IDataFolderSystem& fs, int index) {
  if (index < 0 || index >= kSpecialFolderCount) return Text();
  Text path = fs.ShellFolderPath(kSpecialFolderIds[index]);
  // The buffer's text ends at its first NUL.
  const auto nul = path.find(u'\0');
  if (nul != Text::npos) path.resize(nul);
  return path;
}

bool IsExistingDirectory(IDataFolderSystem& fs, const Text& path) {
  const auto attributes = fs.Attributes(path);
  if (!attributes || !attributes->directory) return false;
  // A link whose target is gone still reports the directory attribute of the link itself.
  if (attributes->reparsePoint && !fs.Opens(path)) return false;
  return true;
}

bool PrepareDataFolder(IDataFolderSystem& fs, const Text& name, bool allUsers, DataDirs& dirs) {
  // When the shell query fails the base is empty, and the folders are taken from the root of
  // the current drive.
  Text path = GetSpecialFolder(fs, allUsers ? kCommonAppDataIndex : kAppDataIndex);
  path += u'\\';
  path += kMakerFolderName;
  if (!IsExistingDirectory(fs, path)) fs.CreateOneDirectory(path);
  path += u'\\';
  path += name;
  if (!IsExistingDirectory(fs, path)) fs.CreateOneDirectory(path);

  (allUsers ? dirs.common : dirs.user) = path + u'\\';
  return IsExistingDirectory(fs, path);
}

}  // namespace ruvano
