#include "settings/settings.h"

#include <memory>
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

struct Settings::Subscription::Entry {
  std::uint32_t fields;  // one bit per SettingField
  Listener listener;
  bool active = true;
};

struct Settings::Subscription::Registry {
  std::vector<std::shared_ptr<Entry>> entries;
};

namespace {
std::uint32_t FieldBit(SettingField field) { return 1u << static_cast<unsigned>(field); }
}  // namespace

Settings::Subscription& Settings::Subscription::operator=(Subscription&& other) noexcept {
  if (this != &other) {
    Reset();
    registry_ = std::move(other.registry_);
    entry_ = std::move(other.entry_);
  }
  return *this;
}

void Settings::Subscription::Reset() noexcept {
  if (!entry_) return;
  entry_->active = false;  // a notification already under way skips it from now on
  if (auto registry = registry_.lock()) std::erase(registry->entries, entry_);
  entry_.reset();
  registry_.reset();
}

Settings::Settings() : subscribers_(std::make_shared<Subscription::Registry>()) {}

Settings::Settings(const Settings& other) : Settings() { CopyValues(other); }

Settings& Settings::operator=(const Settings& other) {
  if (this != &other) CopyValues(other);
  return *this;
}

void Settings::CopyValues(const Settings& other) {
  waveIndex_ = other.waveIndex_;
  waveIndexOff_ = other.waveIndexOff_;
  icon_ = other.icon_;
  hint_ = other.hint_;
  hintString_ = other.hintString_;
  iconPosition_ = other.iconPosition_;
  mute_ = other.mute_;
  off_ = other.off_;
  scroll_ = other.scroll_;
  appIcon_ = other.appIcon_;
  alphaBlendValue_ = other.alphaBlendValue_;
  showMode_ = other.showMode_;
  alnumOff_ = other.alnumOff_;
  top_ = other.top_;
  left_ = other.left_;
}

bool Settings::SameValue(const Settings& other, SettingField field) const {
  switch (field) {
    case SettingField::WaveIndex: return waveIndex_ == other.waveIndex_;
    case SettingField::OffWaveIndex: return waveIndexOff_ == other.waveIndexOff_;
    case SettingField::Icon: return icon_ == other.icon_;
    case SettingField::Hint: return hint_ == other.hint_;
    case SettingField::HintString: return hintString_ == other.hintString_;
    case SettingField::IconPosition: return iconPosition_ == other.iconPosition_;
    case SettingField::Mute: return mute_ == other.mute_;
    case SettingField::Off: return off_ == other.off_;
    case SettingField::Scroll: return scroll_ == other.scroll_;
    case SettingField::AppIcon: return appIcon_ == other.appIcon_;
    case SettingField::AlphaBlendValue: return alphaBlendValue_ == other.alphaBlendValue_;
    case SettingField::ShowMode: return showMode_ == other.showMode_;
    case SettingField::AlnumOff: return alnumOff_ == other.alnumOff_;
    case SettingField::Top: return top_ == other.top_;
    case SettingField::Left: return left_ == other.left_;
  }
  return true;
}

Settings::Subscription Settings::Subscribe(Listener listener) {
  auto entry = std::make_shared<Subscription::Entry>(Subscription::Entry{~0u, std::move(listener)});
  subscribers_->entries.push_back(entry);
  return Subscription(subscribers_, std::move(entry));
}

Settings::Subscription Settings::Subscribe(std::initializer_list<SettingField> fields, Listener listener) {
  std::uint32_t bits = 0;
  for (SettingField f : fields) bits |= FieldBit(f);
  auto entry = std::make_shared<Subscription::Entry>(Subscription::Entry{bits, std::move(listener)});
  subscribers_->entries.push_back(entry);
  return Subscription(subscribers_, std::move(entry));
}

void Settings::Notify(SettingField which) {
  // A copy: a listener may subscribe or unsubscribe while the others are told.
  const auto entries = subscribers_->entries;
  for (const auto& entry : entries)
    if (entry->active && (entry->fields & FieldBit(which)) && entry->listener) entry->listener(which);
}

template <typename T>
void Settings::Assign(T& field, T value, SettingField which) {
  if (field == value) return;
  field = std::move(value);
  Notify(which);
}

void Settings::SetWaveIndex(std::int32_t v) {
  Assign(waveIndex_, ClampRadioIndex(v, kSoundCount), SettingField::WaveIndex);
}
void Settings::SetOffWaveIndex(std::int32_t v) {
  Assign(waveIndexOff_, ClampRadioIndex(v, kSoundCount), SettingField::OffWaveIndex);
}
void Settings::SetIcon(bool v) { Assign(icon_, v, SettingField::Icon); }
void Settings::SetHint(bool v) { Assign(hint_, v, SettingField::Hint); }
// The hint is one line: a CR or LF (pasted, or sent to the edit box by another program) would
// end the line in the settings file and start new keys or sections there.
void Settings::SetHintString(Text v) {
  std::erase_if(v, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  Assign(hintString_, std::move(v), SettingField::HintString);
}
void Settings::SetIconPosition(std::int32_t v) {
  Assign(iconPosition_, ClampRadioIndex(v, kPositionCount), SettingField::IconPosition);
}
void Settings::SetMute(bool v) { Assign(mute_, v, SettingField::Mute); }
void Settings::SetOff(bool v) { Assign(off_, v, SettingField::Off); }
void Settings::SetScroll(bool v) { Assign(scroll_, v, SettingField::Scroll); }
void Settings::SetAppIcon(bool v) { Assign(appIcon_, v, SettingField::AppIcon); }
void Settings::SetAlphaBlendValue(std::int32_t v) {
  Assign(alphaBlendValue_, ClampAlpha(v), SettingField::AlphaBlendValue);
}
void Settings::SetShowMode(bool v) { Assign(showMode_, v, SettingField::ShowMode); }
void Settings::SetAlnumOff(bool v) { Assign(alnumOff_, v, SettingField::AlnumOff); }
void Settings::SetTop(std::int32_t v) { Assign(top_, v, SettingField::Top); }
void Settings::SetLeft(std::int32_t v) { Assign(left_, v, SettingField::Left); }

}  // namespace ruvano
