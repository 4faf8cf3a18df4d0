// Functions of system DLLs that are not among the system's known DLLs. Windows looks for a
// load-time import of such a DLL in the program's own folder first, so a portable program
// started from a download folder could load a planted copy. The program binds them at run
// time instead, from the system folder only.
#pragma once

#include <windows.h>
#include <uxtheme.h>

namespace ruvano {

// The named function of dll, loaded from the system folder only. The library stays loaded
// for the rest of the process. nullptr when the library or the function is missing.
FARPROC SystemLibraryProc(const wchar_t* dll, const char* name) noexcept;

template <typename Fn>
Fn SystemProc(const wchar_t* dll, const char* name) noexcept {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemLibraryProc(dll, name)));
}

// A function of a system DLL, bound from the system folder at its first use and kept for the
// life of the object; null where the system lacks it. The one way the program binds a function
// it does not import (newer Windows calls, DLLs outside the known DLLs).
template <typename Fn>
class LazyProc {
 public:
  LazyProc(const wchar_t* dll, const char* name) noexcept : dll_(dll), name_(name) {}

  Fn get() noexcept {
    if (!bound_) {
      fn_ = SystemProc<Fn>(dll_, name_);
      bound_ = true;
    }
    return fn_;
  }
  explicit operator bool() noexcept { return get() != nullptr; }

 private:
  const wchar_t* dll_;
  const char* name_;
  Fn fn_ = nullptr;
  bool bound_ = false;
};

// The calls of uxtheme.dll that draw the cursor hint like a tooltip, bound by BindThemeLibrary.
// A member is null when the system lacks it.
struct ThemeLibrary {
  decltype(&::IsAppThemed) IsAppThemed = nullptr;
  decltype(&::IsThemeActive) IsThemeActive = nullptr;
  decltype(&::OpenThemeData) OpenThemeData = nullptr;
  decltype(&::CloseThemeData) CloseThemeData = nullptr;
  decltype(&::DrawThemeBackground) DrawThemeBackground = nullptr;
};
ThemeLibrary BindThemeLibrary() noexcept;

// Theme data opened through a ThemeLibrary, closed through the same library.
class ThemeData {
 public:
  ThemeData(const ThemeLibrary& library, HWND wnd, const wchar_t* classes) noexcept
      : close_(library.CloseThemeData),
        theme_(library.OpenThemeData && close_ ? library.OpenThemeData(wnd, classes) : nullptr) {}
  ~ThemeData() {
    if (theme_) close_(theme_);
  }
  ThemeData(const ThemeData&) = delete;
  ThemeData& operator=(const ThemeData&) = delete;

  HTHEME get() const noexcept { return theme_; }
  explicit operator bool() const noexcept { return theme_ != nullptr; }

 private:
  decltype(&::CloseThemeData) close_;
  HTHEME theme_;
};

// Makes the system folder the only place where the process loads DLLs from by name. Called
// first thing at start, before anything loads a library.
void LoadLibrariesFromSystemFolderOnly() noexcept;

}  // namespace ruvano
