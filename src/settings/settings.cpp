#include "settings/settings.h"

#include <string>
#include <utility>

namespace ruvano {

std::int32_t Settings::ClampRadioIndex(std::int32_t v, std::int32_t count) {
  if (v < -1) return -1;
  if (v >= count) return count - 1;
  return v;
}

std::int32_t Settings::ClampAlpha(std::int32_t v) {
  if (v < kMinAlpha) return kMinAlpha;
  if (v > kMaxAlpha) return kMaxAlpha;
  return v;
}

template <typename T>
void Settings::Assign(T& field, T value, SettingField which) {
  if (field == value) return;
  field = std::move(value);
  if (listener_) listener_(which);
}

void Settings::SetWaveIndex(std::int32_t v) { Assign(waveIndex_, ClampRadioIndex(v, kSoundCount), SettingField::WaveIndex); }
void Settings::SetWaveIndexOFF(std::int32_t v) { Assign(waveIndexOff_, ClampRadioIndex(v, kSoundCount), SettingField::WaveIndexOFF); }
void Settings::SetIcon(bool v) { Assign(icon_, v, SettingField::Icon); }
void Settings::SetHint(bool v) { Assign(hint_, v, SettingField::Hint); }
// The hint is one line: a CR or LF (pasted, or sent to the edit box by another program) would
// end the line in the settings file and start new keys or sections there.
void Settings::SetHintString(Text v) {
  std::erase_if(v, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  Assign(hintString_, std::move(v), SettingField::HintString);
}
void Settings::SetIconPosition(std::int32_t v) { Assign(iconPosition_, ClampRadioIndex(v, kPositionCount), SettingField::IconPosition); }
void Settings::SetMute(bool v) { Assign(mute_, v, SettingField::Mute); }
void Settings::SetOFF(bool v) { Assign(off_, v, SettingField::OFF); }
void Settings::SetScroll(bool v) { Assign(scroll_, v, SettingField::Scroll); }
void Settings::SetAppIcon(bool v) { Assign(appIcon_, v, SettingField::AppIcon); }
void Settings::SetAlphaBlendValue(std::int32_t v) { Assign(alphaBlendValue_, ClampAlpha(v), SettingField::AlphaBlendValue); }
void Settings::SetShowMode(bool v) { Assign(showMode_, v, SettingField::ShowMode); }
void Settings::SetAlnumOff(bool v) { Assign(alnumOff_, v, SettingField::AlnumOff); }
void Settings::SetTop(std::int32_t v) { Assign(top_, v, SettingField::Top); }
void Settings::SetLeft(std::int32_t v) { Assign(left_, v, SettingField::Left); }

}  // namespace ruvano
