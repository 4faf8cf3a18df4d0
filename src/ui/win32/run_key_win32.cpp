#include "ui/win32/run_key_win32.h"

#include <windows.h>

#include <cwchar>
#include <string>

#include "zeq/contract_strings.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/probes_win32.h"

namespace ruvano {
namespace {

// The user's key at path opened with the given rights; none when it cannot be opened (code
// says why).
UniqueRegKey OpenUserKey(const wchar_t* path, REGSAM rights, LONG* code = nullptr) {
  HKEY key = nullptr;
  const LONG opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, rights, &key);
  if (code) *code = opened;
  return UniqueRegKey(opened == ERROR_SUCCESS ? key : nullptr);
}

// Removes the value "RUVANO" under the user's key at path; true when it is gone.
bool RemoveUserValue(const wchar_t* path) {
  LONG opened = ERROR_SUCCESS;
  const UniqueRegKey key = OpenUserKey(path, KEY_SET_VALUE, &opened);
  if (opened == ERROR_FILE_NOT_FOUND) return true;
  if (!key) return false;
  const LONG removed = ::RegDeleteValueW(key.get(), kRunValueName);
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

}  // namespace

std::optional<Text> Win32RunKey::Read() {
  const UniqueRegKey run = OpenUserKey(kRunKeyPath, KEY_QUERY_VALUE);
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

bool Win32RunKey::Remove() { return RemoveUserValue(kRunKeyPath); }

std::optional<std::vector<std::uint8_t>> Win32RunKey::ReadApproval() {
  const UniqueRegKey approved = OpenUserKey(kStartupApprovedKeyPath, KEY_QUERY_VALUE);
  if (!approved) return std::nullopt;
  DWORD type = 0, bytes = 0;
  if (::RegQueryValueExW(approved.get(), kRunValueName, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      type != REG_BINARY)
    return std::nullopt;
  std::vector<std::uint8_t> data(bytes);
  if (::RegQueryValueExW(approved.get(), kRunValueName, nullptr, &type, data.data(), &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  data.resize(bytes);
  return data;
}

bool Win32RunKey::RemoveApproval() { return RemoveUserValue(kStartupApprovedKeyPath); }

Text ThisExecutablePath() {
  // A path cut short fills the buffer: ReadPathText asks again with room for the longest.
  return ToText(
      ReadPathText([](wchar_t* buf, DWORD size) { return ::GetModuleFileNameW(nullptr, buf, size); }));
}

}  // namespace ruvano
