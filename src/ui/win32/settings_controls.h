// The settings window's controls, each described once: what kind of control it is, its
// caption, the setting it edits, where it sits and which measure its caption feeds. The panel
// creates the controls in the order of this table (which is the tab order), gives them their
// font, measures their captions, places them after every layout, turns their clicks into
// settings and keeps them in step with the settings, all from these rows.
//
// To add a check box bound to a new boolean setting, add two rows and its caption:
//  1. settings/settings.h: one row at the end of RUVANO_SETTING_FIELDS, such as
//     X(Name, bool, false, kConfigSection, u"Name", Keep, Current, OnceUsed). It declares the
//     SettingField, Name() and SetName(), the value and its key; copying, comparing,
//     loading and saving follow from the row.
//  2. settings_controls.cpp: one CheckBox row after the input mode check boxes, with .kind,
//     .id (one no other control has; 0x511C is the next free), .caption (a constant kept with
//     the others in src/ui/settings_captions.h, with an access key no other caption uses)
//     and .check ({SettingField::Name, &Settings::Name, &Settings::SetName}). Nothing else:
//     no .part, .place or .captionWidth. It joins the input mode band, to the right of the
//     check boxes before it and next in the tab order; the band and the window widen as far
//     as the captions need.
// A row names .part (a value of SettingsPanel::Part) only when code or a test refers to its
// control by name. A control outside the input mode band names .place, the Rect of
// SettingsPanelLayout it sits in, which the band of settings_layout.cpp that holds it
// computes, and .captionWidth, the width of SettingsPanelMeasures that band makes room for.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "settings/settings.h"
#include "ui/settings_layout.h"
#include "ui/win32/settings_panel.h"

namespace ruvano::panel_controls {

enum class Kind {
  GroupBox,    // a frame, with or without a caption
  CheckBox,    // an auto check box bound to a boolean setting
  RadioGroup,  // a captioned frame and its auto radio items, bound to an index setting
  Toolbar,
  Trackbar,
  Edit,    // a one-line edit box bound to a text setting
  Button,  // a push button; what its click does is the panel's, by the row's part
};

// A check box's setting.
struct BoolSetting {
  SettingField field{};
  bool (Settings::*get)() const = nullptr;
  void (Settings::*set)(bool) = nullptr;
};

// An edit box's setting.
struct TextSetting {
  SettingField field{};
  const Text& (Settings::*get)() const = nullptr;
  void (Settings::*set)(Text) = nullptr;
};

// A radio group's setting: the index of the checked item, -1 for none.
struct IndexSetting {
  SettingField field{};
  std::int32_t (Settings::*get)() const = nullptr;
  void (Settings::*set)(std::int32_t) = nullptr;
};

// A width of SettingsPanelMeasures that captions feed: the widest caption that feeds it sets it.
using WidthMeasure = std::int32_t SettingsPanelMeasures::*;

// What a click on a radio item that makes a new choice plays while the window is visible.
enum class Preview { None, OnCue, OffCue };

struct Description {
  // The name by which the panel's code and the tests find the control; a row nothing refers
  // to by name (a check box of the input mode band, say) leaves it out.
  std::optional<SettingsPanel::Part> part{};
  Kind kind;
  int id;                   // the control's id
  const char16_t* caption;  // nullptr: a control without one
  // Where it sits; none for a check box of the input mode band, which sits in the band's
  // next place (SettingsPanelLayout::modeChecks) in the order of the rows.
  Rect SettingsPanelLayout::*place = nullptr;
  // The measure the caption's width feeds, so that the layout makes room for it; none for a
  // control without a caption of its own to fit. A check box of the input mode band leaves
  // it out too: it feeds SettingsPanelMeasures::modeCheck (CaptionMeasure below).
  WidthMeasure captionWidth = nullptr;
  // CheckBox only. A check box without a setting shows a state the host keeps outside the
  // settings (its row names its part).
  BoolSetting check{};
  TextSetting text{};  // Edit only
  // RadioGroup only: the setting, the items' captions, the measure their widths feed, their
  // ids and places, and the preview.
  IndexSetting choice{};
  std::span<const char16_t* const> items{};
  WidthMeasure itemWidth = nullptr;
  int firstItemId = 0;
  std::span<Rect> (*itemPlaces)(SettingsPanelLayout&) = nullptr;
  Preview preview = Preview::None;
};

// Every control, in creation and tab order. Each group box comes before the controls it
// frames; WS_GROUP closes every radio group.
std::span<const Description> Controls();

// A check box without a place sits in the input mode band, in the band's next place.
constexpr bool InModeBand(const Description& c) { return c.kind == Kind::CheckBox && !c.place; }

// The measure a row's caption feeds: the one the row names, or for a check box of the input
// mode band the band's.
constexpr WidthMeasure CaptionMeasure(const Description& c) {
  return InModeBand(c) ? &SettingsPanelMeasures::modeCheck : c.captionWidth;
}

// A toolbar button, left to right; id 0 is a separator of the given designed width.
struct ToolButton {
  int id;
  const char16_t* caption;
  BoolSetting setting;  // a check button's setting; a push button has none (get == nullptr)
  int separatorWidth;
};

std::span<const ToolButton> ToolButtons();

}  // namespace ruvano::panel_controls
