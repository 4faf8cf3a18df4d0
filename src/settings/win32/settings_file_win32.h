// The settings file on Windows: the active ANSI code page and the locale's upper-case
// mapping behind ISystemText, whole-file reads and safe whole-file replacement behind
// ISettingsFileAccess, and LoadSettings / SaveSettings over both.
#pragma once

#include <cstdint>

#include "settings/settings_file.h"
#include "settings/system_text.h"

namespace ruvano {

class Win32SystemText : public ISystemText {
 public:
  Text DecodeAnsi(std::string_view bytes) const override;
  std::optional<std::string> EncodeAnsi(std::u16string_view text) const override;
  Text UpperCase(std::u16string_view text) const override;
};

class Win32SettingsFileAccess : public ISettingsFileAccess {
 public:
  // Files larger than kMaxSettingsFileSize are TooLarge and not read.
  FileContent ReadWholeFile(const Text& path) override;
  // Writes the bytes to a new file of our own in the same folder (first removing any that an
  // earlier save left behind), flushes it, and puts it in the old file's place in one step,
  // keeping the old file's attributes and security and waiting a little for a file that
  // another program holds; on failure the new file is removed and the old one is untouched.
  // Paths of any length work.
  bool ReplaceWholeFile(const Text& path, std::string_view bytes) override;
  bool RemoveFile(const Text& path) override;

 private:
  std::uint32_t tempCounter_ = 0;  // part of the temporary file's name
};

void LoadSettings(const Text& path, Settings& settings);
bool SaveSettings(const Text& path, const Settings& settings);

}  // namespace ruvano
