// Conversions between HWND and the 32-bit handle values of the portable code, and between
// wide strings and the portable UTF-16 text type.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "zeq/types.h"

namespace ruvano {

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
