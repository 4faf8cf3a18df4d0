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

SettingsPanelLayout LayOutSettingsPanel(const SettingsPanelMeasures& m) {
  const int dpi = m.dpi > 0 ? m.dpi : d::kDpi;
  auto D = [dpi](std::int32_t px) { return ScaleToDpi(px, dpi); };
  auto checkWidth = [&](std::int32_t text) { return CheckControlWidth(text, m.checkGlyph, dpi); };

  const std::int32_t textHeight = std::max<std::int32_t>(m.textHeight, 1);
  const std::int32_t pad = D(8);                    // inner margin left and right of a group box
  const std::int32_t captionTop = textHeight + D(3);     // interior top of a captioned group box
  const std::int32_t plainTop = textHeight / 2 + D(6);   // the same without a caption
  const std::int32_t bottomIn = D(6);               // interior bottom margin of a group box
  const std::int32_t line = std::max(textHeight, m.checkGlyph) + D(4);  // one check box or radio line
  constexpr std::int32_t kSoundRows = (Settings::kSoundCount + d::kColumns - 1) / d::kColumns;
  constexpr std::int32_t kPositionRows = (Settings::kPositionCount + d::kColumns - 1) / d::kColumns;

  // Widths: the designed width, or more when a caption needs it.
  const std::int32_t soundWidth = std::max(2 * pad + d::kColumns * checkWidth(m.soundItem),
                                           2 * pad + m.soundCaption + D(8));
  const std::int32_t positionWidth = std::max(2 * pad + d::kColumns * checkWidth(m.positionItem),
                                              2 * pad + m.positionCaption + D(8));
  const std::int32_t iconWidth = 2 * pad + std::max(checkWidth(m.iconCheck), positionWidth);
  const std::int32_t hintWidth = 2 * pad + checkWidth(m.hintCheck);
  const std::int32_t modeWidth = 2 * pad + 2 * checkWidth(m.modeCheck);  // two check boxes side by side
  const std::int32_t width =
      std::max({D(d::kClientWidth), m.toolBar.width, soundWidth, iconWidth, hintWidth, modeWidth});

  // Heights: the designed heights, or more when the text needs it.
  const std::int32_t toolBarHeight = std::max(D(d::kToolBarHeight), m.toolBar.height);
  const std::int32_t soundHeight = std::max(D(d::kSoundGroupHeight), captionTop + kSoundRows * line + bottomIn);
  const std::int32_t iconCheckHeight = std::max(D(d::kIconCheckHeight), line);
  const std::int32_t positionHeight =
      std::max(D(d::kPositionGroupHeight), captionTop + kPositionRows * line + bottomIn);
  const std::int32_t iconBottomIn = D(4);
  const std::int32_t iconHeight =
      std::max(D(d::kIconGroupHeight),
               plainTop + iconCheckHeight + D(d::kTrackBarMinHeight) + positionHeight + iconBottomIn);
  const std::int32_t hintCheckHeight = std::max(D(d::kHintCheckHeight), line);
  const std::int32_t editHeight = std::max(D(d::kHintEditHeight), textHeight + D(8));
  const std::int32_t editGap = D(2);
  const std::int32_t hintMinHeight = plainTop + hintCheckHeight + editGap + editHeight + bottomIn;
  // The hint band takes what is left of the designed height; the input mode band comes
  // below it.
  const std::int32_t above = toolBarHeight + 2 * soundHeight + iconHeight;
  const std::int32_t hintBottom = std::max(D(d::kClientHeight), above + hintMinHeight);
  const std::int32_t modeHeight = std::max(D(d::kModeGroupHeight), plainTop + line + bottomIn);
  const std::int32_t height = hintBottom + modeHeight;

  SettingsPanelLayout l;
  l.client = {width, height};

  std::int32_t y = 0;
  auto band = [&](std::int32_t h) {
    Rect r{0, y, width, y + h};
    y += h;
    return r;
  };
  l.toolBar = band(toolBarHeight);
  l.soundOn = band(soundHeight);
  l.soundOff = band(soundHeight);
  l.iconGroup = band(iconHeight);
  l.hintGroup = band(hintBottom - above);
  l.modeGroup = band(modeHeight);

  auto soundArea = [&](const Rect& g) {
    return Rect{g.left + pad, g.top + captionTop, g.right - pad, g.bottom - bottomIn};
  };
  PlaceInColumns(soundArea(l.soundOn), d::kColumns, l.soundOnItems);
  PlaceInColumns(soundArea(l.soundOff), d::kColumns, l.soundOffItems);

  // Icon group: the check box at the top, the position group at the bottom, the track bar
  // in between taking the rest.
  const Rect icon{l.iconGroup.left + pad, l.iconGroup.top + plainTop, l.iconGroup.right - pad,
                  l.iconGroup.bottom - iconBottomIn};
  l.iconCheck = {icon.left, icon.top, icon.right, icon.top + iconCheckHeight};
  l.positionGroup = {icon.left, icon.bottom - positionHeight, icon.right, icon.bottom};
  l.trackBar = {icon.left, l.iconCheck.bottom, icon.right, l.positionGroup.top};
  const Rect positions{l.positionGroup.left + pad, l.positionGroup.top + captionTop,
                       l.positionGroup.right - pad, l.positionGroup.bottom - bottomIn};
  PlaceInColumns(positions, d::kColumns, l.positionItems);

  const Rect hint{l.hintGroup.left + pad, l.hintGroup.top + plainTop, l.hintGroup.right - pad,
                  l.hintGroup.bottom - bottomIn};
  l.hintCheck = {hint.left, hint.top, hint.right, hint.top + hintCheckHeight};
  l.hintEdit = {hint.left, l.hintCheck.bottom + editGap, hint.right, l.hintCheck.bottom + editGap + editHeight};

  // The two input mode check boxes share one line, each in half of the band.
  const Rect mode{l.modeGroup.left + pad, l.modeGroup.top + plainTop, l.modeGroup.right - pad,
                  l.modeGroup.top + plainTop + line};
  const std::int32_t half = mode.left + (mode.right - mode.left) / 2;
  l.showModeCheck = {mode.left, mode.top, half, mode.bottom};
  l.alnumOffCheck = {half, mode.top, mode.right, mode.bottom};
  return l;
}

}  // namespace ruvano
