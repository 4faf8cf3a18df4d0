#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace ruvano {
namespace {

TEST(Settings, DesignDefaults) {
  const Settings s;
  EXPECT_EQ(s.WaveIndex(), 0);
  EXPECT_EQ(s.OffWaveIndex(), 0);
  EXPECT_FALSE(s.Icon());
  EXPECT_FALSE(s.Hint());
  EXPECT_EQ(s.HintString(), u"IME ON");
  EXPECT_EQ(s.IconPosition(), 0);
  EXPECT_FALSE(s.Mute());
  EXPECT_FALSE(s.Off());
  EXPECT_FALSE(s.Scroll());
  EXPECT_FALSE(s.AppIcon());
  EXPECT_EQ(s.AlphaBlendValue(), 100);
  EXPECT_EQ(s.IconSize(), 0);
  EXPECT_EQ(s.Top(), 0);
  EXPECT_EQ(s.Left(), 0);
  EXPECT_EQ(Settings::kHintDisplayMs / Settings::kTimerIntervalMs, 8u);
}

TEST(Settings, RangedFieldsClampEveryAssignment) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  const struct {
    const char* name;
    void (Settings::*set)(std::int32_t);
    std::int32_t (Settings::*get)() const;
    std::vector<std::pair<std::int32_t, std::int32_t>> assignedToRead;
  } fields[] = {
      {"WaveIndex",
       &Settings::SetWaveIndex,
       &Settings::WaveIndex,
       {{12, 11}, {-7, -1}, {-1, -1}, {11, 11}, {5, 5}, {kMin, -1}, {kMax, 11}}},
      {"WaveIndexOFF",
       &Settings::SetOffWaveIndex,
       &Settings::OffWaveIndex,
       {{12, 11}, {-7, -1}, {-1, -1}, {11, 11}, {0, 0}, {kMin, -1}, {kMax, 11}}},
      {"IconPosition",
       &Settings::SetIconPosition,
       &Settings::IconPosition,
       {{9, 3}, {4, 3}, {3, 3}, {-1, -1}, {-2, -1}, {2, 2}, {kMin, -1}, {kMax, 3}}},
      {"IconSize",
       &Settings::SetIconSize,
       &Settings::IconSize,
       {{1, 1}, {0, 0}, {-1, 0}, {2, 1}, {kMin, 0}, {kMax, 1}}},
      {"AlphaBlendValue",
       &Settings::SetAlphaBlendValue,
       &Settings::AlphaBlendValue,
       {{0, 10},
        {1000, 100},
        {9, 10},
        {10, 10},
        {55, 55},
        {100, 100},
        {101, 100},
        {-5, 10},
        {kMin, 10},
        {kMax, 100}}},
  };
  for (const auto& f : fields) {
    for (const auto& [assigned, read] : f.assignedToRead) {
      Settings s;
      (s.*f.set)(assigned);
      EXPECT_EQ((s.*f.get)(), read) << f.name << " := " << assigned;
    }
  }
}

TEST(Settings, ListenerFiresOnlyWhenAFieldChanges) {
  const struct {
    SettingField field;
    std::function<void(Settings&)> assign;  // assigns a value other than the default
  } cases[] = {
      {SettingField::WaveIndex, [](Settings& s) { s.SetWaveIndex(3); }},
      {SettingField::OffWaveIndex, [](Settings& s) { s.SetOffWaveIndex(-1); }},
      {SettingField::Icon, [](Settings& s) { s.SetIcon(true); }},
      {SettingField::Hint, [](Settings& s) { s.SetHint(true); }},
      {SettingField::HintString, [](Settings& s) { s.SetHintString(u"かな"); }},
      {SettingField::IconPosition, [](Settings& s) { s.SetIconPosition(9); }},
      {SettingField::Mute, [](Settings& s) { s.SetMute(true); }},
      {SettingField::Off, [](Settings& s) { s.SetOff(true); }},
      {SettingField::Scroll, [](Settings& s) { s.SetScroll(true); }},
      {SettingField::AppIcon, [](Settings& s) { s.SetAppIcon(true); }},
      {SettingField::AlphaBlendValue, [](Settings& s) { s.SetAlphaBlendValue(0); }},
      {SettingField::Top, [](Settings& s) { s.SetTop(-40); }},
      {SettingField::Left, [](Settings& s) { s.SetLeft(1280); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.field));
    Settings s;
    std::vector<SettingField> fired;
    auto subscription = s.Subscribe([&](SettingField f) { fired.push_back(f); });
    c.assign(s);
    c.assign(s);  // the same value again: no change, no call
    EXPECT_EQ(fired, std::vector<SettingField>{c.field});
  }
}

TEST(Settings, AssignmentThatClampsToTheCurrentValueIsNoChange) {
  Settings s;
  int calls = 0;
  auto subscription = s.Subscribe([&](SettingField) { ++calls; });
  s.SetWaveIndex(11);
  s.SetWaveIndex(12);
  s.SetWaveIndex(500);
  s.SetAlphaBlendValue(1000);  // already 100
  s.SetIconPosition(-1);
  s.SetIconPosition(-9);
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(s.WaveIndex(), 11);
  EXPECT_EQ(s.IconPosition(), -1);
}

// Several parts listen at once: each hears the fields it asked for, in the order they
// subscribed, until its subscription goes (also from inside a notification).
TEST(Settings, SubscribersHearTheirFieldsUntilTheyUnsubscribe) {
  Settings s;
  std::vector<std::string> heard;
  auto name = [](SettingField f) { return "all " + std::to_string(static_cast<int>(f)); };
  auto all = s.Subscribe([&](SettingField f) { heard.push_back(name(f)); });
  Settings::Subscription position;
  position = s.Subscribe({SettingField::Top, SettingField::Left}, [&](SettingField) {
    heard.push_back("position");
    position.Reset();  // hears once only
  });
  s.SetMute(true);
  s.SetTop(5);
  s.SetLeft(7);
  EXPECT_EQ(heard, (std::vector<std::string>{name(SettingField::Mute), name(SettingField::Top), "position",
                                             name(SettingField::Left)}));

  heard.clear();
  {
    auto copy = std::make_unique<Settings>(s);  // a copy has the values, not the subscribers
    EXPECT_EQ(copy->Left(), 7);
    copy->SetLeft(9);
    all = copy->Subscribe([&](SettingField) { heard.push_back("copy"); });  // the old one goes
  }
  s.SetMute(false);
  EXPECT_TRUE(heard.empty());  // and outliving its Settings is harmless
}

}  // namespace
}  // namespace ruvano
