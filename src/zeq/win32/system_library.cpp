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

ThemeLibrary BindThemeLibrary() noexcept {
  constexpr const wchar_t* kDll = L"uxtheme.dll";
  ThemeLibrary t;
  t.IsAppThemed = SystemProc<decltype(t.IsAppThemed)>(kDll, "IsAppThemed");
  t.IsThemeActive = SystemProc<decltype(t.IsThemeActive)>(kDll, "IsThemeActive");
  t.OpenThemeData = SystemProc<decltype(t.OpenThemeData)>(kDll, "OpenThemeData");
  t.CloseThemeData = SystemProc<decltype(t.CloseThemeData)>(kDll, "CloseThemeData");
  t.DrawThemeBackground = SystemProc<decltype(t.DrawThemeBackground)>(kDll, "DrawThemeBackground");
  return t;
}

void LoadLibrariesFromSystemFolderOnly() noexcept {
  // Looked up, not imported, so that the program still starts where the call is missing.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
  if (!kernel) return;
  const auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace ruvano
