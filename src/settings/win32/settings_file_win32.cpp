#include "settings/win32/settings_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>

#include "zeq/win32/handles.h"
#include "zeq/win32/hwnd.h"

namespace ruvano {

Text Win32SystemText::DecodeAnsi(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return Text();
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return Text();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, wide.data(), length);
  return ToText(wide);
}

std::optional<std::string> Win32SystemText::EncodeAnsi(std::u16string_view text) const {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) return std::nullopt;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int size = static_cast<int>(text.size());
  // The used-default flag (and the no-best-fit flag, which keeps "similar" characters from
  // standing in silently) is refused for UTF-8 and UTF-7; when the ANSI code page is one of
  // those, every character is representable and the caller's round trip check covers the
  // rest (unpaired surrogates).
  const UINT codePage = ::GetACP();
  const bool unicodePage = codePage == CP_UTF8 || codePage == CP_UTF7;
  const DWORD flags = unicodePage ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = unicodePage ? nullptr : &usedDefault;
  const int length = ::WideCharToMultiByte(codePage, flags, wide, size, nullptr, 0, nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (::WideCharToMultiByte(codePage, flags, wide, size, bytes.data(), length, nullptr, usedDefaultOut) != length ||
      usedDefault) {
    return std::nullopt;
  }
  return bytes;
}

Text Win32SystemText::UpperCase(std::u16string_view text) const {
  std::wstring wide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
  if (!wide.empty() && wide.size() <= MAXDWORD) ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return ToText(wide);
}

FileContent Win32SettingsFileAccess::ReadWholeFile(const Text& path) {
  FileContent content;
  UniqueFile file(::CreateFileW(WidePtr(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    content.status = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileReadStatus::Missing
                                                                                     : FileReadStatus::Unreadable;
    return content;
  }
  content.status = FileReadStatus::Unreadable;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<std::uint64_t>(size.QuadPart) > kMaxFileSize) {
    return content;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr)) {
      return content;
    }
    if (got == 0) break;  // the file shrank meanwhile
    done += got;
  }
  bytes.resize(done);
  content.status = FileReadStatus::Ok;
  content.bytes = std::move(bytes);
  return content;
}

bool Win32SettingsFileAccess::ReplaceWholeFile(const Text& path, std::string_view bytes) {
  const std::wstring target = ToWide(path);
  const auto slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? std::wstring(L".") : target.substr(0, slash + 1);

  // A file the user made read-only is not replaced (Windows refuses that move anyway; Wine
  // would carry it out).
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;

  // A uniquely named new file beside the old one, so the final move stays on one volume.
  wchar_t temp[MAX_PATH] = {};
  if (!::GetTempFileNameW(folder.c_str(), L"RUV", 0, temp)) return false;

  bool written = false;
  {
    UniqueFile file(::CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
      written = true;
      std::size_t done = 0;
      while (written && done < bytes.size()) {
        DWORD put = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        written = ::WriteFile(file.get(), bytes.data() + done, chunk, &put, nullptr) && put == chunk;
        done += put;
      }
      written = written && ::FlushFileBuffers(file.get());
    }
  }
  if (written && ::MoveFileExW(temp, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  ::DeleteFileW(temp);
  return false;
}

void LoadSettings(const Text& path, Settings& settings) {
  Win32SettingsFileAccess files;
  Win32SystemText text;
  LoadSettings(path, settings, files, text);
}

bool SaveSettings(const Text& path, const Settings& settings) {
  Win32SettingsFileAccess files;
  Win32SystemText text;
  return SaveSettings(path, settings, files, text);
}

}  // namespace ruvano
