// The user's options: one field per key of the settings file plus the settings window's
// position. The settings window keeps this record in step with its controls in both
// directions: a control change assigns the field, and an assignment (for example by the
// settings file loader) reaches every subscriber, so the window can update the control and
// carry out its immediate reaction. Every assignment applies the field's rule (a clamp).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include "zeq/contract_strings.h"
#include "zeq/types.h"

namespace ruvano {

// Every setting, declared once, in the order of its key in the settings file:
//   X(name, type, design default, section, key, rule, absent, written)
// The name is the SettingField, the getter, the setter ("Set" and the name) and the member
// of SettingValues. The rule is what every assignment makes of a value (Settings' rules
// below). Absent: what a load takes for a key that is missing or unreadable, the field's
// Current value or its Default. Written: Always, or OnceUsed, only when the file has the key
// or the value is not the default, so that a file that never needed the key stays as it was.
// ShowMode: the indicator's picture shows the IME's input mode instead of always "あ".
// AlnumOff: an open IME in half-width alphanumeric mode counts as closed.
// ExcludeApps: image names, separated by ";", of programs whose windows are not signalled.
// QuietFullScreen: nothing is signalled while a full-screen program is in front.
// NearCaret: the indicator goes next to the text caret of the window in front.
// IconSize: 0 the indicator at the display's scale, 1 half as large again.
// ImeOffApps, ImeOnApps: image names, as ExcludeApps, of programs whose windows get their IME
// switched off, or on, when they come to the front.
// RememberIme: a window the user comes back to gets the IME state it was left with.
// clang-format off
#define RUVANO_SETTING_FIELDS(X)                                                                         \
  X(Top,             std::int32_t, 0,         kWindowSection, u"Top",             Keep,     Current, Always)   \
  X(Left,            std::int32_t, 0,         kWindowSection, u"Left",            Keep,     Current, Always)   \
  X(WaveIndex,       std::int32_t, 0,         kConfigSection, u"WaveIndex",       Sound,    Default, Always)   \
  X(OffWaveIndex,    std::int32_t, 0,         kConfigSection, u"WaveIndexOFF",    Sound,    Default, Always)   \
  X(Icon,            bool,         false,     kConfigSection, u"Icon",            Keep,     Current, Always)   \
  X(Hint,            bool,         false,     kConfigSection, u"Hint",            Keep,     Current, Always)   \
  X(HintString,      Text,         u"IME ON", kConfigSection, u"HintString",      OneLine,  Current, Always)   \
  X(IconPosition,    std::int32_t, 0,         kConfigSection, u"IconPosition",    Position, Current, Always)   \
  X(Mute,            bool,         false,     kConfigSection, u"Mute",            Keep,     Current, Always)   \
  X(Off,             bool,         false,     kConfigSection, u"OFF",             Keep,     Current, Always)   \
  X(Scroll,          bool,         false,     kConfigSection, u"Scroll",          Keep,     Current, Always)   \
  X(AppIcon,         bool,         false,     kConfigSection, u"AppIcon",         Keep,     Current, Always)   \
  X(AlphaBlendValue, std::int32_t, 100,       kConfigSection, u"AlphaBlendValue", Opacity,  Default, Always)   \
  X(ShowMode,        bool,         false,     kConfigSection, u"ShowMode",        Keep,     Current, OnceUsed) \
  X(AlnumOff,        bool,         false,     kConfigSection, u"AlnumOff",        Keep,     Current, OnceUsed) \
  X(ExcludeApps,     Text,         u"",       kConfigSection, u"ExcludeApps",     OneLine,  Current, OnceUsed) \
  X(QuietFullScreen, bool,         true,      kConfigSection, u"QuietFullScreen", Keep,     Current, OnceUsed) \
  X(NearCaret,       bool,         false,     kConfigSection, u"NearCaret",       Keep,     Current, OnceUsed) \
  X(IconSize,        std::int32_t, 0,         kConfigSection, u"IconSize",        Size,     Default, OnceUsed) \
  X(ImeOffApps,      Text,         u"",       kConfigSection, u"ImeOffApps",      OneLine,  Current, OnceUsed) \
  X(ImeOnApps,       Text,         u"",       kConfigSection, u"ImeOnApps",       OneLine,  Current, OnceUsed) \
  X(RememberIme,     bool,         false,     kConfigSection, u"RememberIme",     Keep,     Current, OnceUsed)
// clang-format on

#define RUVANO_SETTING_NAME(name, ...) name,
enum class SettingField { RUVANO_SETTING_FIELDS(RUVANO_SETTING_NAME) };
#undef RUVANO_SETTING_NAME

#define RUVANO_SETTING_ONE(...) +1
inline constexpr int kSettingFieldCount = 0 RUVANO_SETTING_FIELDS(RUVANO_SETTING_ONE);
#undef RUVANO_SETTING_ONE

// The values alone, at their design defaults until assigned.
struct SettingValues {
#define RUVANO_SETTING_MEMBER(name, type, byDefault, ...) type name = byDefault;
  RUVANO_SETTING_FIELDS(RUVANO_SETTING_MEMBER)
#undef RUVANO_SETTING_MEMBER
  friend bool operator==(const SettingValues&, const SettingValues&) = default;
};

class Settings {
 public:
  static constexpr std::int32_t kSoundCount = 12;    // items of the two sound groups
  static constexpr std::int32_t kPositionCount = 4;  // items of the icon position group
  static constexpr std::int32_t kIconSizeCount = 2;  // items of the icon size group
  static constexpr std::int32_t kMinAlpha = 10;      // opacity bounds, in percent
  static constexpr std::int32_t kMaxAlpha = 100;
  static constexpr std::uint32_t kTimerIntervalMs = 250;  // one monitor tick
  static constexpr std::uint32_t kHintDisplayMs = 2000;   // how long the cursor hint stays

  // Called after a field changed value (not when an assignment leaves it as it was).
  using Listener = std::function<void(SettingField)>;

  // A subscriber's registration: while it lives, its listener hears of changes; destroying
  // (or resetting) it unsubscribes. It may outlive the Settings it came from.
  class Subscription {
   public:
    Subscription() = default;
    Subscription(Subscription&&) noexcept = default;
    Subscription& operator=(Subscription&& other) noexcept;
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { Reset(); }
    void Reset() noexcept;

   private:
    friend class Settings;
    struct Entry;
    struct Registry;
    Subscription(std::weak_ptr<Registry> registry, std::shared_ptr<Entry> entry)
        : registry_(std::move(registry)), entry_(std::move(entry)) {}
    std::weak_ptr<Registry> registry_;
    std::shared_ptr<Entry> entry_;
  };

  Settings();
  // A copy carries the values, not the subscribers: they subscribed to the original.
  Settings(const Settings& other) : Settings() { values_ = other.values_; }
  Settings& operator=(const Settings& other) {
    values_ = other.values_;
    return *this;
  }

  // Subscribers hear of changes in the order they subscribed. The listener may unsubscribe
  // itself or others while it runs.
  [[nodiscard]] Subscription Subscribe(Listener listener);
  // Only changes of the fields given.
  [[nodiscard]] Subscription Subscribe(std::initializer_list<SettingField> fields, Listener listener);

  const SettingValues& Values() const { return values_; }

  // A getter and a setter per field: Icon() and SetIcon(bool), HintString() and so on.
  template <typename T>
  using Get = std::conditional_t<std::is_scalar_v<T>, T, const T&>;
#define RUVANO_SETTING_ACCESS(name, type, byDefault, section, key, rule, ...) \
  Get<type> name() const { return values_.name; }                             \
  void Set##name(type v) { Assign(SettingField::name, values_.name, rule(std::move(v))); }
  RUVANO_SETTING_FIELDS(RUVANO_SETTING_ACCESS)
#undef RUVANO_SETTING_ACCESS

  // Clamps a radio-group index to -1..count-1 (-1 = no item selected).
  static std::int32_t ClampRadioIndex(std::int32_t v, std::int32_t count);
  static std::int32_t ClampAlpha(std::int32_t v);

 private:
  // The rules of the field table.
  template <typename T>
  static T Keep(T v) {
    return v;
  }
  static std::int32_t Sound(std::int32_t v) { return ClampRadioIndex(v, kSoundCount); }
  static std::int32_t Position(std::int32_t v) { return ClampRadioIndex(v, kPositionCount); }
  static std::int32_t Size(std::int32_t v) { return v <= 0 ? 0 : kIconSizeCount - 1; }
  static std::int32_t Opacity(std::int32_t v) { return ClampAlpha(v); }
  static Text OneLine(Text v);  // line breaks (CR, LF) removed

  template <typename T>
  void Assign(SettingField field, T& member, T value) {
    if (member == value) return;
    member = std::move(value);
    Notify(field);
  }
  void Notify(SettingField field);

  std::shared_ptr<Subscription::Registry> subscribers_;
  SettingValues values_;
};

enum class SettingAbsent { Current, Default };
enum class SettingWritten { Always, OnceUsed };

// A row of the field table, for the code that walks every field (the settings file).
template <typename T>
struct SettingRow {
  SettingField field;
  std::u16string_view section;
  std::u16string_view key;
  T SettingValues::*member;
  void (Settings::*set)(T);
  SettingAbsent absent;
  SettingWritten written;
};

// Calls visit with the SettingRow of every field, in the table's order.
template <typename Visit>
void ForEachSetting(Visit&& visit) {
#define RUVANO_SETTING_ROW(name, type, byDefault, section, key, rule, absent, written)                 \
  visit(SettingRow<type>{SettingField::name, section, key, &SettingValues::name, &Settings::Set##name, \
                         SettingAbsent::absent, SettingWritten::written});
  RUVANO_SETTING_FIELDS(RUVANO_SETTING_ROW)
#undef RUVANO_SETTING_ROW
}

}  // namespace ruvano
