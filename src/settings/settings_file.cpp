#include "settings/settings_file.h"

#include "settings/ini_file.h"

namespace ruvano {
namespace {

// A field's value in the file, as its type is written there.
std::int32_t Read(const IniFile& ini, const SettingRow<std::int32_t>& row, std::int32_t fallback) {
  return ini.ReadInteger(row.section, row.key, fallback);
}
bool Read(const IniFile& ini, const SettingRow<bool>& row, bool fallback) {
  return ini.ReadBool(row.section, row.key, fallback);
}
Text Read(const IniFile& ini, const SettingRow<Text>& row, const Text& fallback) {
  return ini.ReadText(row.section, row.key, fallback);
}

void Write(IniFile& ini, const SettingRow<std::int32_t>& row, std::int32_t value) {
  ini.WriteInteger(row.section, row.key, value);
}
void Write(IniFile& ini, const SettingRow<bool>& row, bool value) {
  ini.WriteBool(row.section, row.key, value);
}
void Write(IniFile& ini, const SettingRow<Text>& row, const Text& value) {
  ini.WriteValue(row.section, row.key, value);
}

}  // namespace

void LoadSettings(const Text& path, Settings& settings, ISettingsFileAccess& files, const ISystemText& text) {
  IniFile ini(text);
  {
    const FileContent content = files.ReadWholeFile(path);
    if (content.status != FileReadStatus::Ok) return;
    ini.Parse(content.bytes);
  }

  // One key at a time: each assignment (and what it sets off) happens before the next read,
  // and a fallback to the current value is the value the field has at that moment.
  const SettingValues defaults;
  ForEachSetting([&](const auto& row) {
    auto fallback =
        row.absent == SettingAbsent::Default ? defaults.*row.member : settings.Values().*row.member;
    (settings.*row.set)(Read(ini, row, fallback));
  });
}

bool SaveSettings(const Text& path, const Settings& settings, ISettingsFileAccess& files,
                  const ISystemText& text) {
  IniFile ini(text);
  {
    const FileContent content = files.ReadWholeFile(path);
    // A file that is there but cannot be read is not overwritten: whatever else it holds
    // would be lost.
    if (content.status == FileReadStatus::Unreadable || content.status == FileReadStatus::TooLarge)
      return false;
    if (content.status == FileReadStatus::Ok) ini.Parse(content.bytes);
  }

  const SettingValues defaults;
  ForEachSetting([&](const auto& row) {
    const auto& value = settings.Values().*row.member;
    if (row.written == SettingWritten::Always || value != defaults.*row.member ||
        ini.HasKey(row.section, row.key))
      Write(ini, row, value);
  });

  return files.ReplaceWholeFile(path, ini.Serialize());
}

}  // namespace ruvano
