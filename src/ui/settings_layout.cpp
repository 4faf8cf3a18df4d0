#include "ui/settings_layout.h"

#include <algorithm>
#include <cstdlib>

namespace ruvano {

namespace d = settings_design;

std::int32_t ScaleToDpi(std::int32_t designPx, int dpi) {
  if (dpi <= 0) dpi = d::kDpi;
  const std::int64_t product = static_cast<std::int64_t>(designPx) * dpi;
  const std::int64_t half = d::kDpi / 2;
  const std::int64_t scaled = product >= 0 ? (product + half) / d::kDpi : -((-product + half) / d::kDpi);
  return static_cast<std::int32_t>(scaled);
}

std::int32_t CheckControlWidth(std::int32_t textWidth, std::int32_t glyph, int dpi) {
  return glyph + ScaleToDpi(6, dpi) + std::max<std::int32_t>(textWidth, 0) + ScaleToDpi(4, dpi);
}

void PlaceInColumns(const Rect& area, int columns, std::span<Rect> items) {
  const auto count = static_cast<std::int32_t>(items.size());
  if (count == 0 || columns <= 0) return;
  const std::int32_t rows = (count + columns - 1) / columns;
  const std::int32_t width = std::max<std::int32_t>(area.right - area.left, 0);
  const std::int32_t height = std::max<std::int32_t>(area.bottom - area.top, 0);
  const std::int32_t columnWidth = width / columns;
  const std::int32_t rowHeight = height / rows;
  const std::int32_t top = area.top + (height % rows) / 2;
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t column = i / rows;
    const std::int32_t row = i % rows;
    Rect& r = items[static_cast<std::size_t>(i)];
    r.left = area.left + column * columnWidth;
    r.right = column == columns - 1 ? area.right : r.left + columnWidth;
    r.top = top + row * rowHeight;
    r.bottom = r.top + rowHeight;
  }
}

namespace {

// The scaled spacing every band shares, for the measured font at the panel's DPI.
struct Spacing {
  explicit Spacing(const SettingsPanelMeasures& m)
      : dpi(m.dpi > 0 ? m.dpi : d::kDpi),
        glyph(m.checkGlyph),
        textHeight(std::max<std::int32_t>(m.textHeight, 1)),
        side(Px(8)),
        captionTop(textHeight + Px(3)),
        plainTop(textHeight / 2 + Px(6)),
        bottom(Px(6)),
        line(std::max(textHeight, glyph) + Px(4)) {}

  std::int32_t Px(std::int32_t designPx) const { return ScaleToDpi(designPx, dpi); }
  std::int32_t CheckWidth(std::int32_t text) const { return CheckControlWidth(text, glyph, dpi); }
  // The interior of a group box: inside its side margins, below its caption (or its frame
  // line when it has none), above the given bottom margin.
  Rect Inside(const Rect& box, bool captioned, std::int32_t bottomMargin) const {
    return Rect{box.left + side, box.top + (captioned ? captionTop : plainTop), box.right - side,
                box.bottom - bottomMargin};
  }

  int dpi;
  std::int32_t glyph;       // the box of a check box or radio button
  std::int32_t textHeight;  // one line of text
  std::int32_t side;        // a group box's inner margin, left and right
  std::int32_t captionTop;  // a captioned group box's inner margin at the top
  std::int32_t plainTop;    // the same for a group box without a caption
  std::int32_t bottom;      // a group box's inner margin at the bottom
  std::int32_t line;        // one check box or radio button line
};

// A captioned group box of radio items in columns (the sounds, the positions).
struct RadioGroupBand {
  RadioGroupBand(const Spacing& s, std::int32_t captionWidth, std::int32_t itemWidth, int itemCount,
                 int designHeight)
      : width(std::max(2 * s.side + d::kColumns * s.CheckWidth(itemWidth),
                       2 * s.side + captionWidth + s.Px(8))),
        height(std::max(s.Px(designHeight),
                        s.captionTop + (itemCount + d::kColumns - 1) / d::kColumns * s.line + s.bottom)) {}

  static void Place(const Spacing& s, const Rect& box, std::span<Rect> items) {
    PlaceInColumns(s.Inside(box, true, s.bottom), d::kColumns, items);
  }

  std::int32_t width;
  std::int32_t height;
};

// The icon group: the check boxes side by side at the top, the position group at the bottom,
// the track bar in between taking the rest.
struct IconBand {
  IconBand(const Spacing& s, const SettingsPanelMeasures& m)
      : positions(s, m.positionCaption, m.positionItem, Settings::kPositionCount, d::kPositionGroupHeight),
        checkHeight(std::max(s.Px(d::kIconCheckHeight), s.line)),
        bottom(s.Px(4)),
        caretWidth(s.CheckWidth(m.nearCaretCheck)),
        width(2 * s.side + std::max(s.CheckWidth(m.iconCheck) + s.Px(8) + caretWidth, positions.width)),
        height(std::max(s.Px(d::kIconGroupHeight), s.plainTop + checkHeight + s.Px(d::kTrackBarMinHeight) +
                                                       positions.height + bottom)) {}

  void Place(const Spacing& s, SettingsPanelLayout& l) const {
    const Rect inside = s.Inside(l.iconGroup, false, bottom);
    l.nearCaretCheck = {inside.right - caretWidth, inside.top, inside.right, inside.top + checkHeight};
    l.iconCheck = {inside.left, inside.top, l.nearCaretCheck.left - s.Px(8), inside.top + checkHeight};
    l.positionGroup = {inside.left, inside.bottom - positions.height, inside.right, inside.bottom};
    l.trackBar = {inside.left, l.iconCheck.bottom, inside.right, l.positionGroup.top};
    RadioGroupBand::Place(s, l.positionGroup, l.positionItems);
  }

  RadioGroupBand positions;
  std::int32_t checkHeight;
  std::int32_t bottom;  // this group's own, narrower bottom margin
  std::int32_t caretWidth;
  std::int32_t width;
  std::int32_t height;
};

// The hint group: the check box, and the edit box under it.
struct HintBand {
  HintBand(const Spacing& s, const SettingsPanelMeasures& m)
      : checkHeight(std::max(s.Px(d::kHintCheckHeight), s.line)),
        editHeight(std::max(s.Px(d::kHintEditHeight), s.textHeight + s.Px(8))),
        gap(s.Px(2)),
        width(2 * s.side + s.CheckWidth(m.hintCheck)),
        minHeight(s.plainTop + checkHeight + gap + editHeight + s.bottom) {}

  void Place(const Spacing& s, SettingsPanelLayout& l) const {
    const Rect inside = s.Inside(l.hintGroup, false, s.bottom);
    l.hintCheck = {inside.left, inside.top, inside.right, inside.top + checkHeight};
    l.hintEdit = {inside.left, l.hintCheck.bottom + gap, inside.right, l.hintCheck.bottom + gap + editHeight};
  }

  std::int32_t checkHeight;
  std::int32_t editHeight;
  std::int32_t gap;  // between the check box and the edit box
  std::int32_t width;
  std::int32_t minHeight;
};

// The input mode group: its check boxes share one line, each in an equal part of the band.
struct ModeBand {
  ModeBand(const Spacing& s, const SettingsPanelMeasures& m)
      : count(std::max(m.modeChecks, 0)),
        width(2 * s.side + count * s.CheckWidth(m.modeCheck)),
        height(std::max(s.Px(d::kModeGroupHeight), s.plainTop + s.line + s.bottom)) {}

  void Place(const Spacing& s, SettingsPanelLayout& l) const {
    const Rect inside = s.Inside(l.modeGroup, false, s.bottom);
    const Rect row{inside.left, inside.top, inside.right, inside.top + s.line};
    l.modeChecks.assign(static_cast<std::size_t>(count), Rect{});
    PlaceInColumns(row, count, l.modeChecks);
  }

  int count;
  std::int32_t width;
  std::int32_t height;
};

// The groups of the programs' lists, one below the other under the input mode check boxes
// (as the position group sits inside the icon group): each list's edit box taking the
// width, the button that adds the program in front right of it.
struct AppListGroups {
  static constexpr int kLists = 3;

  AppListGroups(const Spacing& s, const SettingsPanelMeasures& m)
      : present(m.excludeCaption > 0),
        editHeight(std::max(s.Px(d::kHintEditHeight), s.textHeight + s.Px(8))),
        gap(s.Px(6)),
        buttonWidth(std::max(s.Px(75), m.addAppButton + s.Px(16))),
        width(present ? 4 * s.side + std::max(s.Px(120) + gap + buttonWidth, m.excludeCaption + s.Px(8)) : 0),
        height(present ? kLists * (gap + s.captionTop + editHeight + s.bottom) : 0) {}

  void Place(const Spacing& s, const Rect& inside, std::int32_t top, SettingsPanelLayout& l) const {
    if (!present) return;
    const std::int32_t each = height / kLists;
    const std::array<std::array<Rect*, 3>, kLists> lists = {{
        {&l.excludeGroup, &l.excludeEdit, &l.addAppButton},
        {&l.imeOffGroup, &l.imeOffEdit, &l.addImeOffButton},
        {&l.imeOnGroup, &l.imeOnEdit, &l.addImeOnButton},
    }};
    for (const auto& [group, edit, button] : lists) {
      *group = {inside.left, top + gap, inside.right, top + each};
      const Rect in = s.Inside(*group, true, s.bottom);
      *button = {in.right - buttonWidth, in.top, in.right, in.top + editHeight};
      *edit = {in.left, in.top, button->left - gap, in.top + editHeight};
      top += each;
    }
  }

  bool present;
  std::int32_t editHeight;
  std::int32_t gap;  // above the group, and between the edit box and the button
  std::int32_t buttonWidth;
  std::int32_t width;
  std::int32_t height;
};

// Two lines of check boxes, each in one half of the band.
struct OptionLine {
  OptionLine(const Spacing& s, const SettingsPanelMeasures& m)
      : present(m.optionCheck > 0),
        gap(s.Px(4)),
        width(present ? 2 * s.side + 2 * s.CheckWidth(m.optionCheck) : 0),
        height(present ? 2 * (gap + s.line) : 0) {}

  void Place(const Spacing& s, const Rect& inside, std::int32_t top, SettingsPanelLayout& l) const {
    if (!present) return;
    top += gap;
    Rect checks[2];
    PlaceInColumns({inside.left, top, inside.right, top + s.line}, 2, checks);
    l.quietCheck = checks[0];
    l.signInCheck = checks[1];
    top += s.line + gap;
    PlaceInColumns({inside.left, top, inside.right, top + s.line}, 2, checks);
    l.rememberCheck = checks[0];
  }

  bool present;
  std::int32_t gap;
  std::int32_t width;
  std::int32_t height;
};

}  // namespace

SettingsPanelLayout LayOutSettingsPanel(const SettingsPanelMeasures& m) {
  const Spacing s(m);
  const std::int32_t toolBarHeight = std::max(s.Px(d::kToolBarHeight), m.toolBar.height);
  const RadioGroupBand sounds(s, m.soundCaption, m.soundItem, Settings::kSoundCount, d::kSoundGroupHeight);
  const IconBand icon(s, m);
  const HintBand hint(s, m);
  const ModeBand mode(s, m);
  const AppListGroups lists(s, m);
  const OptionLine options(s, m);

  // Every band is as wide as the widest need, and at least as wide as designed.
  const std::int32_t width = std::max({s.Px(d::kClientWidth), m.toolBar.width, sounds.width, icon.width,
                                       hint.width, mode.width, lists.width, options.width});
  // The hint band takes what is left of the designed height; the input mode band comes
  // below it.
  const std::int32_t above = toolBarHeight + 2 * sounds.height + icon.height;
  const std::int32_t hintBottom = std::max(s.Px(d::kClientHeight), above + hint.minHeight);

  SettingsPanelLayout l;
  l.client = {width, hintBottom + mode.height + lists.height + options.height};
  std::int32_t y = 0;
  auto band = [&](std::int32_t h) {
    Rect r{0, y, width, y + h};
    y += h;
    return r;
  };
  l.toolBar = band(toolBarHeight);
  l.soundOn = band(sounds.height);
  l.soundOff = band(sounds.height);
  l.iconGroup = band(icon.height);
  l.hintGroup = band(hintBottom - above);
  l.modeGroup = band(mode.height + lists.height + options.height);

  RadioGroupBand::Place(s, l.soundOn, l.soundOnItems);
  RadioGroupBand::Place(s, l.soundOff, l.soundOffItems);
  icon.Place(s, l);
  hint.Place(s, l);
  mode.Place(s, l);
  // The lines below the check boxes take the room added above the frame's bottom margin.
  const Rect inside = s.Inside(l.modeGroup, false, s.bottom);
  const std::int32_t linesTop = l.modeGroup.top + mode.height - s.bottom;
  lists.Place(s, inside, linesTop, l);
  options.Place(s, inside, linesTop + lists.height, l);
  return l;
}

}  // namespace ruvano
