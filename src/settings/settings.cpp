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
static_assert(kSettingFieldCount <= 32, "a subscription holds one bit per field");
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

void Settings::Notify(SettingField field) {
  // A copy: a listener may subscribe or unsubscribe while the others are told.
  const auto entries = subscribers_->entries;
  for (const auto& entry : entries)
    if (entry->active && (entry->fields & FieldBit(field)) && entry->listener) entry->listener(field);
}

// The hint is one line: a CR or LF (pasted, or sent to the edit box by another program) would
// end the line in the settings file and start new keys or sections there.
Text Settings::OneLine(Text v) {
  std::erase_if(v, [](char16_t c) { return c == u'\r' || c == u'\n'; });
  return v;
}

}  // namespace ruvano
