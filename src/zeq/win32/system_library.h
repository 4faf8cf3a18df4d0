// Functions of system DLLs that are not among the system's known DLLs. Windows looks for a
// load-time import of such a DLL in the program's own folder first, so a portable program
// started from a download folder could load a planted copy. The program binds them at run
// time instead, from the system folder only.
#pragma once

#include <windows.h>

namespace ruvano {

// The named function of dll, loaded from the system folder only. The library stays loaded
// for the rest of the process. nullptr when the library or the function is missing.
FARPROC SystemLibraryProc(const wchar_t* dll, const char* name) noexcept;

// A function of a system DLL, bound from the system folder at its first use and kept for the
// life of the object; null where the system lacks it (a function missing from a system DLL
// does not appear later, so a failed binding is not tried again). The one way the program
// binds a function it does not import (newer Windows calls, DLLs outside the known DLLs).
// Constant-initialised, so that it can be a static without a guard.
template <typename Fn>
class LazyProc {
 public:
  constexpr LazyProc(const wchar_t* dll, const char* name) noexcept : dll_(dll), name_(name) {}

  Fn get() noexcept {
    if (!bound_) {
      fn_ = reinterpret_cast<Fn>(reinterpret_cast<void*>(SystemLibraryProc(dll_, name_)));
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

// Makes the system folder the only place where the process loads DLLs from by name. Called
// first thing at start, before anything loads a library.
void LoadLibrariesFromSystemFolderOnly() noexcept;

}  // namespace ruvano
