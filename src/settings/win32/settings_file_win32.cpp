#include "settings/win32/settings_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

#include "zeq/win32/failure_report.h"
#include "zeq/win32/handles.h"
#include "zeq/win32/data_folder_win32.h"

namespace ruvano {

Text Win32SystemText::DecodeAnsi(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return Text();
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) return Text();
  // Straight into the text: a large file is not copied twice.
  Text text(static_cast<std::size_t>(length), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, reinterpret_cast<wchar_t*>(text.data()), length);
  return text;
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
  BOOL usedDefault = FALSE;
  auto convert = [&](char* out, int room) {
    return ::WideCharToMultiByte(codePage, unicodePage ? 0 : WC_NO_BEST_FIT_CHARS, wide, size, out, room,
                                 nullptr, unicodePage ? nullptr : &usedDefault);
  };
  const int length = convert(nullptr, 0);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (convert(bytes.data(), length) != length || usedDefault) return std::nullopt;
  return bytes;
}

Text Win32SystemText::UpperCase(std::u16string_view text) const {
  std::wstring wide(reinterpret_cast<const wchar_t*>(text.data()), text.size());
  if (!wide.empty() && wide.size() <= MAXDWORD)
    ::CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  return ToText(wide);
}

FileContent Win32FileMoves::Read(const Text& path) {
  UniqueFile file(::CreateFileW(FileSystemPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {FileReadStatus::Missing, {}};
    ReportFailure(L"the settings file could not be opened", error);
    return {FileReadStatus::Unreadable, {}};
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
    ReportFailure(L"the size of the settings file could not be read", ::GetLastError());
    return {FileReadStatus::Unreadable, {}};
  }
  if (static_cast<std::uint64_t>(size.QuadPart) > kMaxSettingsFileSize) {
    ReportFailure(L"the settings file is too large to be ours; it is left alone");
    return {FileReadStatus::TooLarge, {}};
  }
  FileContent content{FileReadStatus::Ok, std::string(static_cast<std::size_t>(size.QuadPart), '\0')};
  for (std::size_t done = 0; done < content.bytes.size();) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), content.bytes.data() + done, static_cast<DWORD>(content.bytes.size() - done),
                    &got, nullptr)) {
      ReportFailure(L"the settings file could not be read", ::GetLastError());
      return {FileReadStatus::Unreadable, {}};
    }
    if (got == 0) content.bytes.resize(done);  // the file shrank meanwhile
    done += got;
  }
  return content;
}

namespace {

// Our temporary files beside the settings file: its name, ".~", 16 hexadecimal digits and
// ".tmp".
constexpr std::wstring_view kTempMark = L".~";
constexpr std::wstring_view kTempEnd = L".tmp";

bool IsOurTempFile(std::wstring_view name, std::wstring_view fileName) {
  const std::size_t digits = fileName.size() + kTempMark.size();
  return name.size() == digits + 16 + kTempEnd.size() && name.starts_with(fileName) &&
         name.substr(fileName.size()).starts_with(kTempMark) && name.ends_with(kTempEnd) &&
         name.substr(digits, 16).find_first_not_of(L"0123456789ABCDEFabcdef") == std::wstring_view::npos;
}

// A new file of our own beside the settings file, created only if no such file exists.
// counter tells apart names made within one tick of the clock.
UniqueFile CreateTempFile(const Text& path, Text& temp, std::uint32_t& counter) {
  for (int tries = 0; tries < 16; ++tries) {
    const std::uint64_t unique =
        (std::uint64_t{::GetCurrentProcessId()} << 32) | (::GetTickCount() + (++counter << 20));
    temp = path + ToText(std::wstring(kTempMark));
    for (int shift = 60; shift >= 0; shift -= 4) temp += u"0123456789ABCDEF"[(unique >> shift) & 0xF];
    temp += ToText(std::wstring(kTempEnd));
    UniqueFile file(::CreateFileW(FileSystemPath(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || ::GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return UniqueFile();
}

// Writes all the bytes and flushes them to the disk.
bool WriteAll(HANDLE file, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    DWORD put = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    if (!::WriteFile(file, bytes.data() + done, chunk, &put, nullptr) || put != chunk) return false;
    done += put;
  }
  return ::FlushFileBuffers(file) != FALSE;
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

bool Win32FileMoves::Exists(const Text& path) {
  return ::GetFileAttributesW(FileSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileMoves::Busy(const Text& path) {
  UniqueFile probe(::CreateFileW(FileSystemPath(path).c_str(), DELETE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
  return !probe && IsTransientFileError(::GetLastError());
}

std::uint32_t Win32FileMoves::Replace(const Text& target, const Text& replacement) {
  if (::ReplaceFileW(FileSystemPath(target).c_str(), FileSystemPath(replacement).c_str(), nullptr,
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr, nullptr))
    return ERROR_SUCCESS;
  return ::GetLastError();
}

std::uint32_t Win32FileMoves::Move(const Text& from, const Text& to) {
  if (::MoveFileExW(FileSystemPath(from).c_str(), FileSystemPath(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return ERROR_SUCCESS;
  return ::GetLastError();
}

bool Win32FileMoves::Remove(const Text& path) {
  return ::DeleteFileW(FileSystemPath(path).c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

std::vector<TempFile> Win32FileMoves::TempFilesBeside(const Text& target) {
  std::vector<TempFile> temps;
  const std::wstring wide = ToWide(target);
  const std::wstring folder = FolderOf(wide);
  const std::wstring_view fileName = std::wstring_view(wide).substr(folder.size());
  WIN32_FIND_DATAW found{};
  const HANDLE find = ::FindFirstFileW(FileSystemPath(ToText(folder + L"*.tmp")).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return temps;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    if (IsOurTempFile(found.cFileName, fileName)) {
      temps.push_back(
          {ToText(folder + found.cFileName),
           (std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) | found.ftLastWriteTime.dwLowDateTime,
           (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow});
    }
  } while (::FindNextFileW(find, &found));
  ::FindClose(find);
  return temps;
}

std::uint64_t Win32FileMoves::NowMs() { return ::GetTickCount64(); }
void Win32FileMoves::Sleep(std::uint32_t ms) { ::Sleep(ms); }

FileContent Win32SettingsFileAccess::ReadWholeFile(const Text& path) { return ReadNewestCopy(moves_, path); }

bool Win32SettingsFileAccess::ReplaceWholeFile(const Text& path, std::string_view bytes) {
  // A file the user made read-only is not replaced (Windows refuses that move anyway; Wine
  // would carry it out).
  const DWORD attributes = ::GetFileAttributesW(FileSystemPath(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;

  // The new file beside the old one, so that the final move stays on one volume.
  Text temp;
  UniqueFile file = CreateTempFile(path, temp, tempCounter_);
  if (!file) return false;
  const bool written = WriteAll(file.get(), bytes);
  file.reset();
  if (!written) {
    moves_.Remove(temp);  // incomplete, and the old file was not touched
    return false;
  }
  if (!PutInPlace(moves_, temp, path)) return false;
  RemoveStaleTempFiles(moves_, path);
  return true;
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
