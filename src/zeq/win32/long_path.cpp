#include "zeq/win32/long_path.h"

#include <windows.h>

#include "zeq/win32/hwnd.h"

namespace ruvano {

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
