// The settings file on Windows: the active ANSI code page and the locale's upper-case
// mapping behind ISystemText, whole-file reads and safe whole-file replacement behind
// ISettingsFileAccess, and LoadSettings / SaveSettings over both.
#pragma once

#include <cstdint>

#include "settings/file_replacement.h"
#include "settings/settings_file.h"
#include "settings/system_text.h"

namespace ruvano {

class Win32SystemText : public ISystemText {
 public:
  Text DecodeAnsi(std::string_view bytes) const override;
  std::optional<std::string> EncodeAnsi(std::u16string_view text) const override;
  Text UpperCase(std::u16string_view text) const override;
};

// Paths of any length work. Files larger than kMaxSettingsFileSize are TooLarge and not read.
class Win32FileMoves : public IFileMoves {
 public:
  FileContent Read(const Text& path) override;
  bool Exists(const Text& path) override;
  bool Busy(const Text& path) override;
  std::uint32_t Replace(const Text& target, const Text& replacement) override;
  std::uint32_t Move(const Text& from, const Text& to) override;
  bool Remove(const Text& path) override;
  // The file's name, ".~", 16 hexadecimal digits, ".tmp".
  std::vector<TempFile> TempFilesBeside(const Text& target) override;
  std::uint64_t NowMs() override;
  void Sleep(std::uint32_t ms) override;
};

class Win32SettingsFileAccess : public ISettingsFileAccess {
 public:
  // A missing file is read from the newest copy a failed save left (ReadNewestCopy).
  FileContent ReadWholeFile(const Text& path) override;
  // Writes the bytes to a new file of our own in the same folder, flushes it, and puts it in
  // the old file's place in one step (PutInPlace), keeping the old file's attributes and
  // security; after that, temporary files that earlier saves left behind are removed.
  bool ReplaceWholeFile(const Text& path, std::string_view bytes) override;

 private:
  Win32FileMoves moves_;
  std::uint32_t tempCounter_ = 0;  // part of the temporary file's name
};

void LoadSettings(const Text& path, Settings& settings);
bool SaveSettings(const Text& path, const Settings& settings);

}  // namespace ruvano
