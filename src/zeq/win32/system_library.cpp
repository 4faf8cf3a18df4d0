#include "zeq/win32/system_library.h"

#include <string>

namespace ruvano {

FARPROC SystemLibraryProc(const wchar_t* dll, const char* name) noexcept {
  HMODULE lib = ::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!lib) {
    // A system without the search flags (Windows 7 before its loader update): the full
    // path of the system folder serves the same end.
    wchar_t dir[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(dir, n) + L"\\" + dll;
    lib = ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  }
  return lib ? ::GetProcAddress(lib, name) : nullptr;
}

void LoadLibrariesFromSystemFolderOnly() noexcept {
  // Looked up, not imported, so that the program still starts where the call is missing.
  LazyProc<BOOL(WINAPI*)(DWORD)> setDefaultDllDirectories(L"kernel32.dll", "SetDefaultDllDirectories");
  if (auto set = setDefaultDllDirectories.get()) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace ruvano
