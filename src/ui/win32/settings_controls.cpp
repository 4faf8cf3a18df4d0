#include "ui/win32/settings_controls.h"

#include "ui/settings_captions.h"

namespace ruvano::panel_controls {

namespace {

namespace d = settings_design;
using Part = SettingsPanel::Part;
using L = SettingsPanelLayout;

constexpr BoolSetting Bool(SettingField field, bool (Settings::*get)() const, void (Settings::*set)(bool)) {
  return BoolSetting{field, get, set};
}

constexpr Description kControls[] = {
    {.part = Part::RadioGroupON, .kind = Kind::RadioGroup, .id = 0x5110, .caption = captions::kSoundOn,
     .place = &L::soundOn,
     .choice = {SettingField::WaveIndex, &Settings::WaveIndex, &Settings::SetWaveIndex},
     .items = captions::kSounds, .firstItemId = 0x5120,
     .itemPlaces = [](L& l) { return std::span<Rect>(l.soundOnItems); }, .preview = Preview::OnCue},
    {.part = Part::ToolBar, .kind = Kind::ToolBar, .id = 0x5100, .caption = nullptr, .place = &L::toolBar},
    {.part = Part::GroupBoxIcon, .kind = Kind::GroupBox, .id = 0x5112, .caption = u"", .place = &L::iconGroup},
    {.part = Part::TrackBar, .kind = Kind::TrackBar, .id = 0x5114, .caption = u"", .place = &L::trackBar},
    {.part = Part::CHKIcon, .kind = Kind::CheckBox, .id = 0x5113, .caption = captions::kIcon,
     .place = &L::iconCheck, .check = {SettingField::Icon, &Settings::Icon, &Settings::SetIcon}},
    {.part = Part::RGPos, .kind = Kind::RadioGroup, .id = 0x5115, .caption = captions::kPosition,
     .place = &L::positionGroup,
     .choice = {SettingField::IconPosition, &Settings::IconPosition, &Settings::SetIconPosition},
     .items = captions::kPositions, .firstItemId = 0x5140,
     .itemPlaces = [](L& l) { return std::span<Rect>(l.positionItems); }},
    {.part = Part::RadioGroupOFF, .kind = Kind::RadioGroup, .id = 0x5111, .caption = captions::kSoundOff,
     .place = &L::soundOff,
     .choice = {SettingField::WaveIndexOFF, &Settings::WaveIndexOFF, &Settings::SetWaveIndexOFF},
     .items = captions::kSounds, .firstItemId = 0x5130,
     .itemPlaces = [](L& l) { return std::span<Rect>(l.soundOffItems); }, .preview = Preview::OffCue},
    {.part = Part::GroupBoxHint, .kind = Kind::GroupBox, .id = 0x5116, .caption = u"", .place = &L::hintGroup},
    {.part = Part::CHKHint, .kind = Kind::CheckBox, .id = 0x5117, .caption = captions::kHint,
     .place = &L::hintCheck, .check = {SettingField::Hint, &Settings::Hint, &Settings::SetHint}},
    {.part = Part::EditHint, .kind = Kind::Edit, .id = 0x5118, .caption = u"", .place = &L::hintEdit},
    {.part = Part::GroupBoxMode, .kind = Kind::GroupBox, .id = 0x5119, .caption = u"", .place = &L::modeGroup},
    {.part = Part::CHKShowMode, .kind = Kind::CheckBox, .id = 0x511A, .caption = captions::kShowMode,
     .check = {SettingField::ShowMode, &Settings::ShowMode, &Settings::SetShowMode}},
    {.part = Part::CHKAlnumOff, .kind = Kind::CheckBox, .id = 0x511B, .caption = captions::kAlnumOff,
     .check = {SettingField::AlnumOff, &Settings::AlnumOff, &Settings::SetAlnumOff}},
};

constexpr ToolButton kToolButtons[] = {
    {SettingsPanel::kTBMute, captions::kMute, Bool(SettingField::Mute, &Settings::Mute, &Settings::SetMute), 0},
    {SettingsPanel::kTBOFF, captions::kOff, Bool(SettingField::OFF, &Settings::OFF, &Settings::SetOFF), 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kTBAppIcon, captions::kAppIcon,
     Bool(SettingField::AppIcon, &Settings::AppIcon, &Settings::SetAppIcon), 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kTBScroll, captions::kScroll, Bool(SettingField::Scroll, &Settings::Scroll, &Settings::SetScroll),
     0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kTBHide, captions::kHide, {}, 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kTBClose, captions::kClose, {}, 0},
    {0, nullptr, {}, d::kNarrowSeparator},
};

}  // namespace

std::span<const Description> Controls() { return kControls; }
std::span<const ToolButton> ToolButtons() { return kToolButtons; }

}  // namespace ruvano::panel_controls
