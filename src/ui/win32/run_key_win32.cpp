#include "ui/win32/run_key_win32.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "zeq/contract_strings.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

// The user's Run key opened with the given rights; none when it cannot be opened (code says
// why).
UniqueRegKey OpenRunKey(REGSAM rights, LONG* code = nullptr) {
  HKEY key = nullptr;
  const LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, rights, &key);
  if (code) *code = opened;
  return UniqueRegKey(opened == ERROR_SUCCESS ? key : nullptr);
}

}  // namespace

std::optional<Text> Win32RunKey::Read() {
  const UniqueRegKey run = OpenRunKey(KEY_QUERY_VALUE);
  if (!run) return std::nullopt;
  DWORD type = 0, bytes = 0;
  if (::RegQueryValueExW(run.get(), kRunValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(run.get(), kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  // The stored text need not end with its terminator.
  text.resize(std::wcslen(text.c_str()));
  return ToText(text);
}

bool Win32RunKey::Write(const Text& command) {
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS)
    return false;
  const UniqueRegKey run(created);
  const std::wstring text = ToWide(command);
  return ::RegSetValueExW(run.get(), kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool Win32RunKey::Remove() {
  LONG opened = ERROR_SUCCESS;
  const UniqueRegKey run = OpenRunKey(KEY_SET_VALUE, &opened);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (!run) return false;
  const LONG removed = ::RegDeleteValueW(run.get(), kRunValueName);
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

Text ThisExecutablePath() {
  // A path cut short fills the buffer: ReadPathText asks again with room for the longest.
  return ToText(
      ReadPathText([](wchar_t* buf, DWORD size) { return ::GetModuleFileNameW(nullptr, buf, size); }));
}

}  // namespace ruvano
