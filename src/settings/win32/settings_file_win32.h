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
  // Larger files are no settings file of ours and count as unreadable.
  static constexpr std::uint64_t kMaxFileSize = 16u << 20;

  FileContent ReadWholeFile(const Text& path) override;
  // Writes the bytes to a new file in the same folder, flushes it, and moves it over the old
  // file in one step; on any failure the new file is removed and the old one is untouched.
  bool ReplaceWholeFile(const Text& path, std::string_view bytes) override;
};

void LoadSettings(const Text& path, Settings& settings);
bool SaveSettings(const Text& path, const Settings& settings);

}  // namespace ruvano
