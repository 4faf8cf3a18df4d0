#include "ui/win32/settings_controls.h"

#include "ui/settings_captions.h"

namespace ruvano::panel_controls {

namespace {

namespace d = settings_design;
using Part = SettingsPanel::Part;
using L = SettingsPanelLayout;
using M = SettingsPanelMeasures;

constexpr BoolSetting Bool(SettingField field, bool (Settings::*get)() const, void (Settings::*set)(bool)) {
  return BoolSetting{field, get, set};
}

constexpr Description kControls[] = {
    {.part = Part::SoundOnGroup,
     .kind = Kind::RadioGroup,
     .id = 0x5110,
     .caption = captions::kSoundOn,
     .place = &L::soundOn,
     .captionWidth = &M::soundCaption,
     .choice = {SettingField::WaveIndex, &Settings::WaveIndex, &Settings::SetWaveIndex},
     .items = captions::kSounds,
     .itemWidth = &M::soundItem,
     .firstItemId = 0x5120,
     .itemPlaces = [](L& l) { return std::span<Rect>(l.soundOnItems); },
     .preview = Preview::OnCue},
    {.part = Part::Toolbar, .kind = Kind::Toolbar, .id = 0x5100, .caption = nullptr, .place = &L::toolBar},
    {.part = Part::IconFrame, .kind = Kind::GroupBox, .id = 0x5112, .caption = u"", .place = &L::iconGroup},
    {.part = Part::OpacitySlider,
     .kind = Kind::Trackbar,
     .id = 0x5114,
     .caption = u"",
     .place = &L::trackBar},
    {.part = Part::IconCheck,
     .kind = Kind::CheckBox,
     .id = 0x5113,
     .caption = captions::kIcon,
     .place = &L::iconCheck,
     .captionWidth = &M::iconCheck,
     .check = {SettingField::Icon, &Settings::Icon, &Settings::SetIcon}},
    {.part = Part::PositionGroup,
     .kind = Kind::RadioGroup,
     .id = 0x5115,
     .caption = captions::kPosition,
     .place = &L::positionGroup,
     .captionWidth = &M::positionCaption,
     .choice = {SettingField::IconPosition, &Settings::IconPosition, &Settings::SetIconPosition},
     .items = captions::kPositions,
     .itemWidth = &M::positionItem,
     .firstItemId = 0x5140,
     .itemPlaces = [](L& l) { return std::span<Rect>(l.positionItems); }},
    {.part = Part::NearCaretCheck,
     .kind = Kind::CheckBox,
     .id = 0x5150,
     .caption = captions::kNearCaret,
     .place = &L::nearCaretCheck,
     .captionWidth = &M::nearCaretCheck,
     .check = {SettingField::NearCaret, &Settings::NearCaret, &Settings::SetNearCaret}},
    {.part = Part::SoundOffGroup,
     .kind = Kind::RadioGroup,
     .id = 0x5111,
     .caption = captions::kSoundOff,
     .place = &L::soundOff,
     .captionWidth = &M::soundCaption,
     .choice = {SettingField::OffWaveIndex, &Settings::OffWaveIndex, &Settings::SetOffWaveIndex},
     .items = captions::kSounds,
     .itemWidth = &M::soundItem,
     .firstItemId = 0x5130,
     .itemPlaces = [](L& l) { return std::span<Rect>(l.soundOffItems); },
     .preview = Preview::OffCue},
    {.part = Part::HintFrame, .kind = Kind::GroupBox, .id = 0x5116, .caption = u"", .place = &L::hintGroup},
    {.part = Part::HintCheck,
     .kind = Kind::CheckBox,
     .id = 0x5117,
     .caption = captions::kHint,
     .place = &L::hintCheck,
     .captionWidth = &M::hintCheck,
     .check = {SettingField::Hint, &Settings::Hint, &Settings::SetHint}},
    {.part = Part::HintEdit,
     .kind = Kind::Edit,
     .id = 0x5118,
     .caption = u"",
     .place = &L::hintEdit,
     .text = {SettingField::HintString, &Settings::HintString, &Settings::SetHintString}},
    {.part = Part::ModeFrame, .kind = Kind::GroupBox, .id = 0x5119, .caption = u"", .place = &L::modeGroup},
    {.part = Part::ShowModeCheck,
     .kind = Kind::CheckBox,
     .id = 0x511A,
     .caption = captions::kShowMode,
     .check = {SettingField::ShowMode, &Settings::ShowMode, &Settings::SetShowMode}},
    {.part = Part::AlnumOffCheck,
     .kind = Kind::CheckBox,
     .id = 0x511B,
     .caption = captions::kAlnumOff,
     .check = {SettingField::AlnumOff, &Settings::AlnumOff, &Settings::SetAlnumOff}},
    // The lines below the input mode check boxes; their ids count down from 0x51FF.
    {.kind = Kind::GroupBox,
     .id = 0x51FF,
     .caption = captions::kExcludeApps,
     .place = &L::excludeGroup,
     .captionWidth = &M::excludeCaption},
    {.part = Part::ExcludeEdit,
     .kind = Kind::Edit,
     .id = 0x51FE,
     .caption = u"",
     .place = &L::excludeEdit,
     .text = {SettingField::ExcludeApps, &Settings::ExcludeApps, &Settings::SetExcludeApps}},
    {.part = Part::AddAppButton,
     .kind = Kind::Button,
     .id = 0x51FD,
     .caption = captions::kAddForegroundApp,
     .place = &L::addAppButton,
     .captionWidth = &M::addAppButton},
    {.kind = Kind::CheckBox,
     .id = 0x51FC,
     .caption = captions::kQuietFullScreen,
     .place = &L::quietCheck,
     .captionWidth = &M::optionCheck,
     .check = {SettingField::QuietFullScreen, &Settings::QuietFullScreen, &Settings::SetQuietFullScreen}},
    // Not a setting: the host's start at sign-in.
    {.part = Part::SignInCheck,
     .kind = Kind::CheckBox,
     .id = 0x51FB,
     .caption = captions::kStartAtSignIn,
     .place = &L::signInCheck,
     .captionWidth = &M::optionCheck},
};

constexpr ToolButton kToolButtons[] = {
    {SettingsPanel::kMuteButton, captions::kMute,
     Bool(SettingField::Mute, &Settings::Mute, &Settings::SetMute), 0},
    {SettingsPanel::kOffButton, captions::kOff, Bool(SettingField::Off, &Settings::Off, &Settings::SetOff),
     0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kAppIconButton, captions::kAppIcon,
     Bool(SettingField::AppIcon, &Settings::AppIcon, &Settings::SetAppIcon), 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kScrollButton, captions::kScroll,
     Bool(SettingField::Scroll, &Settings::Scroll, &Settings::SetScroll), 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kDiagnoseButton, captions::kDiagnose, {}, 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kHideButton, captions::kHide, {}, 0},
    {0, nullptr, {}, d::kWideSeparator},
    {SettingsPanel::kCloseButton, captions::kClose, {}, 0},
    {0, nullptr, {}, d::kNarrowSeparator},
};

}  // namespace

std::span<const Description> Controls() { return kControls; }
std::span<const ToolButton> ToolButtons() { return kToolButtons; }

}  // namespace ruvano::panel_controls
