// The user's options: one field per key of the settings file plus the settings window's
// position. The settings window keeps this record in step with its controls in both
// directions: a control change assigns the field, and an assignment (for example by the
// settings file loader) reaches every subscriber, so the window can update the control and
// carry out its immediate reaction. Every assignment clamps to the field's range.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "zeq/types.h"

namespace ruvano {

enum class SettingField {
  WaveIndex,
  OffWaveIndex,
  Icon,
  Hint,
  HintString,
  IconPosition,
  Mute,
  Off,
  Scroll,
  AppIcon,
  AlphaBlendValue,
  ShowMode,
  AlnumOff,
  Top,
  Left,
};

class Settings {
 public:
  static constexpr std::int32_t kSoundCount = 12;    // items of the two sound groups
  static constexpr std::int32_t kPositionCount = 4;  // items of the icon position group
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
  Settings(const Settings& other);
  Settings& operator=(const Settings& other);

  // Subscribers hear of changes in the order they subscribed. The listener may unsubscribe
  // itself or others while it runs.
  [[nodiscard]] Subscription Subscribe(Listener listener);
  // Only changes of the fields given.
  [[nodiscard]] Subscription Subscribe(std::initializer_list<SettingField> fields, Listener listener);

  std::int32_t WaveIndex() const { return waveIndex_; }
  std::int32_t OffWaveIndex() const { return waveIndexOff_; }
  bool Icon() const { return icon_; }
  bool Hint() const { return hint_; }
  const Text& HintString() const { return hintString_; }
  std::int32_t IconPosition() const { return iconPosition_; }
  bool Mute() const { return mute_; }
  bool Off() const { return off_; }
  bool Scroll() const { return scroll_; }
  bool AppIcon() const { return appIcon_; }
  std::int32_t AlphaBlendValue() const { return alphaBlendValue_; }
  // The indicator's picture shows the IME's input mode instead of always "あ".
  bool ShowMode() const { return showMode_; }
  // An open IME in half-width alphanumeric mode counts as closed.
  bool AlnumOff() const { return alnumOff_; }
  std::int32_t Top() const { return top_; }
  std::int32_t Left() const { return left_; }

  void SetWaveIndex(std::int32_t v);     // clamped to -1..11
  void SetOffWaveIndex(std::int32_t v);  // clamped to -1..11
  void SetIcon(bool v);
  void SetHint(bool v);
  void SetHintString(Text v);            // line breaks (CR, LF) removed
  void SetIconPosition(std::int32_t v);  // clamped to -1..3
  void SetMute(bool v);
  void SetOff(bool v);
  void SetScroll(bool v);
  void SetAppIcon(bool v);
  void SetAlphaBlendValue(std::int32_t v);  // clamped to 10..100
  void SetShowMode(bool v);
  void SetAlnumOff(bool v);
  void SetTop(std::int32_t v);
  void SetLeft(std::int32_t v);

  // Whether this record and other hold the same value for field.
  bool SameValue(const Settings& other, SettingField field) const;

  // Clamps a radio-group index to -1..count-1 (-1 = no item selected).
  static std::int32_t ClampRadioIndex(std::int32_t v, std::int32_t count);
  static std::int32_t ClampAlpha(std::int32_t v);

 private:
  template <typename T>
  void Assign(T& field, T value, SettingField which);
  void Notify(SettingField which);
  void CopyValues(const Settings& other);

  std::shared_ptr<Subscription::Registry> subscribers_;
  std::int32_t waveIndex_ = 0;
  std::int32_t waveIndexOff_ = 0;
  bool icon_ = false;
  bool hint_ = false;
  Text hintString_ = u"IME ON";
  std::int32_t iconPosition_ = 0;
  bool mute_ = false;
  bool off_ = false;
  bool scroll_ = false;
  bool appIcon_ = false;
  std::int32_t alphaBlendValue_ = 100;
  bool showMode_ = false;
  bool alnumOff_ = false;
  std::int32_t top_ = 0;
  std::int32_t left_ = 0;
};

}  // namespace ruvano
