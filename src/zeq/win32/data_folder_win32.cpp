#include "zeq/win32/data_folder_win32.h"

#include <windows.h>
#include <initguid.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include "zeq/win32/handles.h"

namespace ruvano {

namespace {

struct CoTaskMemTraits {
  static PWSTR Invalid() noexcept { return nullptr; }
  static bool Valid(PWSTR p) noexcept { return p != nullptr; }
  static void Close(PWSTR p) noexcept { ::CoTaskMemFree(p); }
};

}  // namespace

Text Win32DataFolderSystem::RoamingAppDataPath() {
  // The string is the caller's to free, whether the call succeeds or not.
  // https://learn.microsoft.com/windows/win32/api/shlobj_core/nf-shlobj_core-shgetknownfolderpath
  PWSTR raw = nullptr;
  const HRESULT hr = ::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &raw);
  const UniqueResource<PWSTR, CoTaskMemTraits> path(raw);
  return SUCCEEDED(hr) ? ToText(path.get()) : Text();
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

Text RoamingAppDataPath() {
  Win32DataFolderSystem fs;
  return fs.RoamingAppDataPath();
}

bool PrepareDataFolder(const Text& name, Text& userDataDir) {
  Win32DataFolderSystem fs;
  return PrepareDataFolder(fs, name, userDataDir);
}

std::wstring FileSystemPath(const Text& path) {
  // CreateDirectoryW leaves room for an 8.3 file name below the new folder.
  constexpr std::size_t kShortEnough = MAX_PATH - 12;
  std::wstring wide = ToWide(path);
  if (wide.size() < kShortEnough || wide.rfind(L"\\\\?\\", 0) == 0 || wide.rfind(L"\\\\.\\", 0) == 0)
    return wide;
  std::wstring full(wide.size() + 1, L'\0');
  for (;;) {
    const DWORD length =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return wide;
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.assign(length, L'\0');
  }
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
  return wide;
}

}  // namespace ruvano
