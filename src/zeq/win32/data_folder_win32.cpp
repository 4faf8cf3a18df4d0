#include "zeq/win32/data_folder_win32.h"

#include <windows.h>
#include <shlobj.h>

#include "zeq/win32/handles.h"
#include "zeq/win32/hwnd.h"
#include "zeq/win32/long_path.h"

namespace ruvano {

Text Win32DataFolderSystem::ShellFolderPath(std::int32_t csidl) {
  // The result code is not looked at: a failed query leaves the zeroed buffer empty.
  wchar_t buffer[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
  buffer[MAX_PATH - 1] = L'\0';
  return ToText(buffer);
}

std::optional<FileAttributes> Win32DataFolderSystem::Attributes(const Text& path) {
  const DWORD attributes = ::GetFileAttributesW(FileSystemPath(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return FileAttributes{(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0};
}

bool Win32DataFolderSystem::Opens(const Text& path) {
  // Backup semantics let CreateFileW open a directory; without FILE_FLAG_OPEN_REPARSE_POINT
  // the link is followed, so this fails when its target is missing.
  UniqueFile file(::CreateFileW(FileSystemPath(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return static_cast<bool>(file);
}

bool Win32DataFolderSystem::CreateOneDirectory(const Text& path) {
  return ::CreateDirectoryW(FileSystemPath(path).c_str(), nullptr) != 0;
}

Text GetSpecialFolder(int index) {
  Win32DataFolderSystem fs;
  return GetSpecialFolder(fs, index);
}

bool PrepareDataFolder(const Text& name, bool allUsers, DataDirs& dirs) {
  Win32DataFolderSystem fs;
  return PrepareDataFolder(fs, name, allUsers, dirs);
}

}  // namespace ruvano
