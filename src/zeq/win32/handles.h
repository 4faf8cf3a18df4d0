// Owning wrappers for system handles and GDI objects: one owner each, copying deleted. And the
// conversions between window handles and wide strings and the portable code's types.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "zeq/types.h"

namespace ruvano {

template <typename T, typename Traits>
class UniqueResource {
 public:
  UniqueResource() noexcept = default;
  explicit UniqueResource(T value) noexcept : value_(value) {}
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
  UniqueResource& operator=(UniqueResource&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueResource() { reset(); }

  T get() const noexcept { return value_; }
  explicit operator bool() const noexcept { return Traits::Valid(value_); }
  T release() noexcept { return std::exchange(value_, Traits::Invalid()); }
  void reset(T value = Traits::Invalid()) noexcept {
    T old = std::exchange(value_, value);
    if (Traits::Valid(old)) Traits::Close(old);
  }

 private:
  T value_ = Traits::Invalid();
};

struct KernelHandleTraits {  // handles for which NULL means "none" (mutexes, processes, ...)
  static HANDLE Invalid() noexcept { return nullptr; }
  static bool Valid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFileW reports failure as INVALID_HANDLE_VALUE
  static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static bool Valid(HANDLE h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) noexcept { ::CloseHandle(h); }
};
template <typename G>
struct GdiObjectTraits {
  static G Invalid() noexcept { return nullptr; }
  static bool Valid(G h) noexcept { return h != nullptr; }
  static void Close(G h) noexcept { ::DeleteObject(h); }
};
struct IconTraits {
  static HICON Invalid() noexcept { return nullptr; }
  static bool Valid(HICON h) noexcept { return h != nullptr; }
  static void Close(HICON h) noexcept { ::DestroyIcon(h); }
};
struct ModuleTraits {
  static HMODULE Invalid() noexcept { return nullptr; }
  static bool Valid(HMODULE h) noexcept { return h != nullptr; }
  static void Close(HMODULE h) noexcept { ::FreeLibrary(h); }
};
struct RegKeyTraits {
  static HKEY Invalid() noexcept { return nullptr; }
  static bool Valid(HKEY h) noexcept { return h != nullptr; }
  static void Close(HKEY h) noexcept { ::RegCloseKey(h); }
};
struct MenuTraits {
  static HMENU Invalid() noexcept { return nullptr; }
  static bool Valid(HMENU h) noexcept { return h != nullptr; }
  static void Close(HMENU h) noexcept { ::DestroyMenu(h); }
};
struct WindowTraits {
  static HWND Invalid() noexcept { return nullptr; }
  static bool Valid(HWND h) noexcept { return h != nullptr; }
  static void Close(HWND h) noexcept { ::DestroyWindow(h); }
};

using UniqueHandle = UniqueResource<HANDLE, KernelHandleTraits>;
using UniqueFile = UniqueResource<HANDLE, FileHandleTraits>;
using UniqueFont = UniqueResource<HFONT, GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueResource<HBRUSH, GdiObjectTraits<HBRUSH>>;
using UniqueBitmap = UniqueResource<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniqueRegion = UniqueResource<HRGN, GdiObjectTraits<HRGN>>;
using UniqueIcon = UniqueResource<HICON, IconTraits>;
using UniqueModule = UniqueResource<HMODULE, ModuleTraits>;
using UniqueWindow = UniqueResource<HWND, WindowTraits>;
using UniqueMenu = UniqueResource<HMENU, MenuTraits>;
using UniqueRegKey = UniqueResource<HKEY, RegKeyTraits>;

// A device context obtained with GetDC, released with ReleaseDC.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// Selects a GDI object into a DC for the lifetime of the guard.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Conversions between HWND and the 32-bit handle values of the portable code, and between
// wide strings and the portable UTF-16 text type.
// Window handles carry 32 significant bits; a 32-bit value goes back to an HWND by sign
// extension, as Windows does for 32/64-bit handle interop.
inline HWND ToHwnd(WindowId h) noexcept {
  return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(h)));
}
inline WindowId FromHwnd(HWND h) noexcept {
  return static_cast<WindowId>(reinterpret_cast<std::uintptr_t>(h));
}

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 code units");

inline const wchar_t* WidePtr(const Text& t) noexcept { return reinterpret_cast<const wchar_t*>(t.c_str()); }
inline Text ToText(std::wstring_view w) {
  return Text(reinterpret_cast<const char16_t*>(w.data()), w.size());
}
inline Text ToText(const wchar_t* w) { return w ? ToText(std::wstring_view(w)) : Text(); }
inline std::wstring ToWide(const Text& t) {
  return std::wstring(reinterpret_cast<const wchar_t*>(t.data()), t.size());
}

}  // namespace ruvano
