// Layout arithmetic of the settings window's contents: the bands from top to bottom
// (toolbar, ON sounds, OFF sounds, icon group, hint group, input mode group with the lines of
// the programs left alone and of the options), the controls inside them and the radio items in columns. The window side measures the captions with the real font at
// the real DPI; this code scales the designed sizes and widens or heightens whatever the
// measured captions need, so nothing is ever clipped. Portable: no platform headers.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "settings/settings.h"
#include "zeq/types.h"

namespace ruvano {

struct Extent {
  std::int32_t width = 0;
  std::int32_t height = 0;
  friend bool operator==(const Extent&, const Extent&) = default;
};

// The designed sizes, in pixels at 96 DPI.
namespace settings_design {
inline constexpr int kDpi = 96;
inline constexpr int kFontHeight = 11;  // the font's em height (LOGFONT height -11)
inline constexpr int kClientWidth = 474;
inline constexpr int kClientHeight = 377;
inline constexpr int kToolBarHeight = 19;
inline constexpr int kSoundGroupHeight = 93;
inline constexpr int kIconGroupHeight = 114;
inline constexpr int kHintGroupHeight = 58;
inline constexpr int kModeGroupHeight = 40;  // below the designed height of the rest
inline constexpr int kIconCheckHeight = 13;
inline constexpr int kTrackBarHeight = 40;
inline constexpr int kTrackBarMinHeight = 30;  // what is left when captions need the room
inline constexpr int kPositionGroupHeight = 45;
inline constexpr int kHintCheckHeight = 17;
inline constexpr int kHintEditHeight = 21;
inline constexpr int kThumbLength = 10;
inline constexpr int kCheckGlyph = 13;     // a check box's or radio button's box
inline constexpr int kWideSeparator = 12;  // toolbar separators
inline constexpr int kNarrowSeparator = 6;
inline constexpr int kColumns = 4;  // columns of every radio group
}  // namespace settings_design

// A designed size scaled to a DPI, rounded to the nearest pixel (halves away from zero).
std::int32_t ScaleToDpi(std::int32_t designPx, int dpi);

// Width a check box or radio button needs to show a caption of the given width in full:
// the box, the gap after it, the text, and room for the focus rectangle.
std::int32_t CheckControlWidth(std::int32_t textWidth, std::int32_t glyph, int dpi);

// Places the items in `columns` equal columns of `area`, filling each column from top to
// bottom before the next (item i is in column i / rows, row i % rows). The rows share the
// height equally; the remainder is split above and below. The last column takes any
// remainder of the width.
void PlaceInColumns(const Rect& area, int columns, std::span<Rect> items);

// What the window side measured with the panel's font at the panel's DPI, in pixels. Each
// caption width is the widest of the captions that feed it: the settings window's control
// table says, row by row, which width a caption feeds.
struct SettingsPanelMeasures {
  int dpi = settings_design::kDpi;
  std::int32_t textHeight = 0;       // one line of text
  std::int32_t checkGlyph = 0;       // the box of a check box or radio button
  Extent toolBar;                    // what the toolbar needs for all its buttons in one row
  std::int32_t soundCaption = 0;     // the wider of the two sound groups' captions
  std::int32_t soundItem = 0;        // the widest sound name
  std::int32_t iconCheck = 0;        // the widest caption the icon check box can show
  std::int32_t nearCaretCheck = 0;   // the caret check box's caption, right of the icon check box
  std::int32_t positionCaption = 0;  // the position group's caption
  std::int32_t positionItem = 0;     // the widest position name
  std::int32_t hintCheck = 0;        // the hint check box's caption
  std::int32_t modeCheck = 0;        // the widest of the input mode band's check box captions
  int modeChecks = 0;                // how many check boxes the input mode band holds
  // The lines below the input mode band's check boxes, inside its frame; one whose
  // controls the panel does not hold measures 0 and takes no room.
  std::int32_t excludeCaption = 0;  // the captions of the groups of the programs' lists
  std::int32_t addAppButton = 0;    // the captions of the buttons that add the program in front
  std::int32_t optionCheck = 0;     // the widest of the options band's check box captions
};

// Where everything goes, in client coordinates of the host window.
struct SettingsPanelLayout {
  Extent client;  // the client size the host window should have

  Rect toolBar;
  Rect soundOn;
  std::array<Rect, Settings::kSoundCount> soundOnItems{};
  Rect soundOff;
  std::array<Rect, Settings::kSoundCount> soundOffItems{};
  Rect iconGroup;
  Rect iconCheck;
  Rect nearCaretCheck;
  Rect trackBar;
  Rect positionGroup;
  std::array<Rect, Settings::kPositionCount> positionItems{};
  Rect hintGroup;
  Rect hintCheck;
  Rect hintEdit;
  Rect modeGroup;
  std::vector<Rect> modeChecks;  // side by side, left to right
  // Below the check boxes of the input mode band, inside its frame: the captioned groups of
  // the programs' lists (each an edit box and the button that adds the program in front),
  // the programs left alone, those whose IME starts off and those whose IME starts on; then
  // two lines of check boxes in two columns.
  Rect excludeGroup;
  Rect excludeEdit;
  Rect addAppButton;
  Rect imeOffGroup;
  Rect imeOffEdit;
  Rect addImeOffButton;
  Rect imeOnGroup;
  Rect imeOnEdit;
  Rect addImeOnButton;
  Rect quietCheck;
  Rect signInCheck;
  Rect rememberCheck;
};

SettingsPanelLayout LayOutSettingsPanel(const SettingsPanelMeasures& m);

}  // namespace ruvano
