#include "settings/settings_file.h"

#include "settings/ini_file.h"

namespace ruvano {
namespace {

constexpr std::u16string_view kWindow = kWindowSection;
constexpr std::u16string_view kConfig = kConfigSection;

// UTF-8 with its mark, so that Notepad shows the Japanese line as well.
constexpr std::string_view kTooLargeNote =
    "\xEF\xBB\xBF"
    "RUVANO did not read or save its settings: RUVANO.ini in this folder is larger than 16 MiB, "
    "more than a settings file can be. Make it smaller or move it elsewhere, and RUVANO saves its settings "
    "again.\r\n"
    "RUVANO.ini が 16 MiB を超えているため、RUVANO は設定を読み込まず、保存もしていません。"
    "ファイルを小さくするか別の場所へ移すと、再び保存されます。\r\n";

}  // namespace

void LoadSettings(const Text& path, Settings& settings, ISettingsFileAccess& files, const ISystemText& text) {
  IniFile ini(text);
  {
    const FileContent content = files.ReadWholeFile(path);
    if (content.status != FileReadStatus::Ok) return;
    ini.Parse(content.bytes);
  }

  // One key at a time: each assignment (and what it sets off) happens before the next read,
  // and each fallback is the value the field has at that moment.
  settings.SetTop(ini.ReadInteger(kWindow, kKeyTop, settings.Top()));
  settings.SetLeft(ini.ReadInteger(kWindow, kKeyLeft, settings.Left()));
  settings.SetWaveIndex(ini.ReadInteger(kConfig, kKeyWaveIndex, 0));
  settings.SetOffWaveIndex(ini.ReadInteger(kConfig, kKeyWaveIndexOff, 0));
  settings.SetIcon(ini.ReadBool(kConfig, kKeyIcon, settings.Icon()));
  settings.SetHint(ini.ReadBool(kConfig, kKeyHint, settings.Hint()));
  settings.SetHintString(ini.ReadText(kConfig, kKeyHintString, settings.HintString()));
  settings.SetIconPosition(ini.ReadInteger(kConfig, kKeyIconPosition, settings.IconPosition()));
  settings.SetMute(ini.ReadBool(kConfig, kKeyMute, settings.Mute()));
  settings.SetOff(ini.ReadBool(kConfig, kKeyOff, settings.Off()));
  settings.SetScroll(ini.ReadBool(kConfig, kKeyScroll, settings.Scroll()));
  settings.SetAppIcon(ini.ReadBool(kConfig, kKeyAppIcon, settings.AppIcon()));
  settings.SetAlphaBlendValue(ini.ReadInteger(kConfig, kKeyAlphaBlendValue, 100));
  settings.SetShowMode(ini.ReadBool(kConfig, kKeyShowMode, settings.ShowMode()));
  settings.SetAlnumOff(ini.ReadBool(kConfig, kKeyAlnumOff, settings.AlnumOff()));
}

bool SaveSettings(const Text& path, const Settings& settings, ISettingsFileAccess& files,
                  const ISystemText& text) {
  IniFile ini(text);
  {
    const FileContent content = files.ReadWholeFile(path);
    // A file that is there but cannot be read is not overwritten: whatever else it holds
    // would be lost. When it is too large to be ours, the user learns why from the note.
    if (content.status == FileReadStatus::TooLarge)
      files.ReplaceWholeFile(SettingsNotePath(path), kTooLargeNote);
    if (content.status == FileReadStatus::Unreadable || content.status == FileReadStatus::TooLarge)
      return false;
    if (content.status == FileReadStatus::Ok) ini.Parse(content.bytes);
  }

  ini.WriteInteger(kWindow, kKeyTop, settings.Top());
  ini.WriteInteger(kWindow, kKeyLeft, settings.Left());
  ini.WriteInteger(kConfig, kKeyWaveIndex, settings.WaveIndex());
  ini.WriteInteger(kConfig, kKeyWaveIndexOff, settings.OffWaveIndex());
  ini.WriteBool(kConfig, kKeyIcon, settings.Icon());
  ini.WriteBool(kConfig, kKeyHint, settings.Hint());
  ini.WriteValue(kConfig, kKeyHintString, settings.HintString());
  ini.WriteInteger(kConfig, kKeyIconPosition, settings.IconPosition());
  ini.WriteBool(kConfig, kKeyMute, settings.Mute());
  ini.WriteBool(kConfig, kKeyOff, settings.Off());
  ini.WriteBool(kConfig, kKeyScroll, settings.Scroll());
  ini.WriteBool(kConfig, kKeyAppIcon, settings.AppIcon());
  ini.WriteInteger(kConfig, kKeyAlphaBlendValue, settings.AlphaBlendValue());
  // The input mode options join the file only once they differ from their default, so a
  // file that never used them stays as older copies write it; once there, they are kept.
  const Settings defaults;
  auto writeOptional = [&](std::u16string_view key, bool value, bool byDefault) {
    if (value != byDefault || ini.HasKey(kConfig, key)) ini.WriteBool(kConfig, key, value);
  };
  writeOptional(kKeyShowMode, settings.ShowMode(), defaults.ShowMode());
  writeOptional(kKeyAlnumOff, settings.AlnumOff(), defaults.AlnumOff());

  if (!files.ReplaceWholeFile(path, ini.Serialize())) return false;
  files.RemoveFile(SettingsNotePath(path));
  return true;
}

}  // namespace ruvano
