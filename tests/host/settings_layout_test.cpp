#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "ui/settings_captions.h"
#include "ui/settings_layout.h"

namespace ruvano {
namespace {

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}
bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
std::int32_t Width(const Rect& r) { return r.right - r.left; }
std::int32_t Height(const Rect& r) { return r.bottom - r.top; }

// Captions measured as a typical UI font of em height 11 at 96 DPI would give them:
// about one em per Japanese character, a bit over half of that per Latin one.
SettingsPanelMeasures TypicalMeasures(int dpi) {
  auto em = [dpi](int n) { return ScaleToDpi(11 * n, dpi); };
  SettingsPanelMeasures m;
  m.dpi = dpi;
  m.textHeight = ScaleToDpi(15, dpi);
  m.checkGlyph = ScaleToDpi(13, dpi);
  m.toolBar = {ScaleToDpi(440, dpi), ScaleToDpi(22, dpi)};
  m.soundCaption = em(11);
  m.soundItem = em(3);
  m.iconCheck = em(17);
  m.positionCaption = em(10);
  m.positionItem = em(3);
  m.nearCaretCheck = em(14);
  m.hintCheck = em(20);
  m.modeCheck = em(13);
  m.modeChecks = 2;
  return m;
}

// What every layout must satisfy, whatever the measures.
void ExpectSound(const SettingsPanelLayout& l, const SettingsPanelMeasures& m) {
  const int dpi = m.dpi;
  const Rect client{0, 0, l.client.width, l.client.height};
  EXPECT_GE(l.client.width, ScaleToDpi(474, dpi));
  EXPECT_GE(l.client.height, ScaleToDpi(377, dpi));

  // The bands: in order from the top, stacked without gaps or overlaps, full width, the
  // last one reaching the bottom.
  const Rect bands[] = {l.toolBar, l.soundOn, l.soundOff, l.iconGroup, l.hintGroup, l.modeGroup};
  std::int32_t y = 0;
  for (const Rect& b : bands) {
    EXPECT_EQ(b.top, y);
    EXPECT_GT(Height(b), 0);
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.right, l.client.width);
    y = b.bottom;
  }
  EXPECT_EQ(y, l.client.height);
  EXPECT_GE(Width(l.toolBar), m.toolBar.width);
  EXPECT_GE(Height(l.toolBar), m.toolBar.height);

  const std::int32_t line = std::max(m.textHeight, m.checkGlyph);
  auto expectItems = [&](const Rect& group, auto& items, std::int32_t textWidth) {
    std::set<std::int32_t> columns;
    for (std::size_t i = 0; i < items.size(); ++i) {
      EXPECT_TRUE(Inside(items[i], group)) << i;
      EXPECT_GE(Width(items[i]), CheckControlWidth(textWidth, m.checkGlyph, dpi)) << i;
      EXPECT_GE(Height(items[i]), line) << i;
      EXPECT_GE(items[i].top - group.top, m.textHeight) << i;  // below the caption
      for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlap(items[i], items[j])) << i << "/" << j;
      columns.insert(items[i].left);
    }
    EXPECT_EQ(columns.size(), 4u);
  };
  expectItems(l.soundOn, l.soundOnItems, m.soundItem);
  expectItems(l.soundOff, l.soundOffItems, m.soundItem);
  expectItems(l.positionGroup, l.positionItems, m.positionItem);
  // Group captions fit between the frame's corners.
  EXPECT_GE(Width(l.soundOn), m.soundCaption + ScaleToDpi(16, dpi));
  EXPECT_GE(Width(l.positionGroup), m.positionCaption + ScaleToDpi(16, dpi));

  // The icon group: check box, track bar, position group, top to bottom, all inside.
  for (const Rect& r : {l.iconCheck, l.trackBar, l.positionGroup}) EXPECT_TRUE(Inside(r, l.iconGroup));
  EXPECT_LE(l.iconCheck.bottom, l.trackBar.top);
  EXPECT_LE(l.trackBar.bottom, l.positionGroup.top);
  EXPECT_GE(Height(l.trackBar), ScaleToDpi(30, dpi));
  EXPECT_GE(Width(l.iconCheck), CheckControlWidth(m.iconCheck, m.checkGlyph, dpi));
  EXPECT_GE(Height(l.iconCheck), line);
  EXPECT_TRUE(Inside(l.nearCaretCheck, l.iconGroup));
  EXPECT_LE(l.iconCheck.right, l.nearCaretCheck.left);
  EXPECT_GE(Width(l.nearCaretCheck), CheckControlWidth(m.nearCaretCheck, m.checkGlyph, dpi));

  // The hint group: check box above the edit box, inside.
  EXPECT_TRUE(Inside(l.hintCheck, l.hintGroup));
  EXPECT_TRUE(Inside(l.hintEdit, l.hintGroup));
  EXPECT_LE(l.hintCheck.bottom, l.hintEdit.top);
  EXPECT_GE(Width(l.hintCheck), CheckControlWidth(m.hintCheck, m.checkGlyph, dpi));
  EXPECT_GE(Height(l.hintEdit), m.textHeight + 2);
  EXPECT_TRUE(Inside(l.hintGroup, client));

  // The input mode group: its two check boxes side by side, each with room for its caption.
  ASSERT_EQ(l.modeChecks.size(), 2u);
  for (const Rect& r : l.modeChecks) {
    EXPECT_TRUE(Inside(r, l.modeGroup));
    EXPECT_GE(Width(r), CheckControlWidth(m.modeCheck, m.checkGlyph, dpi));
    EXPECT_GE(Height(r), line);
  }
  EXPECT_LE(l.modeChecks[0].right, l.modeChecks[1].left);
}

TEST(ScaleToDpi, RoundsToTheNearestPixel) {
  EXPECT_EQ(ScaleToDpi(474, 96), 474);
  EXPECT_EQ(ScaleToDpi(474, 120), 593);  // 592.5
  EXPECT_EQ(ScaleToDpi(474, 144), 711);
  EXPECT_EQ(ScaleToDpi(377, 192), 754);
  EXPECT_EQ(ScaleToDpi(11, 144), 17);  // 16.5: the font height at 150 %
  EXPECT_EQ(ScaleToDpi(-11, 144), -17);
  EXPECT_EQ(ScaleToDpi(13, 120), 16);  // 16.25
  EXPECT_EQ(ScaleToDpi(10, 0), 10);    // an unknown DPI counts as 96
}

TEST(PlaceInColumns, FillsEachColumnTopToBottomWithinTheArea) {
  std::vector<Rect> items(12);
  const Rect area{8, 20, 466, 87};  // 458 wide, 67 high
  PlaceInColumns(area, 4, items);
  // Three rows: item i in column i / 3, row i % 3.
  for (int i = 0; i < 12; ++i) {
    const Rect& r = items[static_cast<std::size_t>(i)];
    EXPECT_TRUE(Inside(r, area)) << i;
    EXPECT_EQ(r.left, items[static_cast<std::size_t>(i / 3 * 3)].left) << i;
    EXPECT_EQ(r.top, items[static_cast<std::size_t>(i % 3)].top) << i;
    for (int j = 0; j < i; ++j) EXPECT_FALSE(Overlap(r, items[static_cast<std::size_t>(j)])) << i << "/" << j;
  }
  EXPECT_EQ(items[0].left, 8);
  EXPECT_EQ(items[3].left, 8 + 114);
  EXPECT_EQ(items[11].right, 466);  // the last column takes the remainder of the width
  EXPECT_EQ(Height(items[0]), 22);  // 67 / 3, the spare pixel split above and below
  EXPECT_EQ(items[0].top, 20);
  EXPECT_LT(items[2].bottom, 87 + 1);

  std::vector<Rect> four(4);
  PlaceInColumns(Rect{0, 0, 400, 20}, 4, four);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(four[static_cast<std::size_t>(i)].left, i * 100);
    EXPECT_EQ(four[static_cast<std::size_t>(i)].top, 0);
    EXPECT_EQ(four[static_cast<std::size_t>(i)].bottom, 20);
  }
  // Nothing to place, or no columns: harmless.
  std::vector<Rect> none;
  PlaceInColumns(area, 4, none);
  PlaceInColumns(area, 0, four);
}

TEST(SettingsLayout, HasTheDesignedSizeWhenTheCaptionsAreSmall) {
  SettingsPanelMeasures m = TypicalMeasures(96);
  m.textHeight = 13;
  m.toolBar = {400, 19};
  const SettingsPanelLayout l = LayOutSettingsPanel(m);
  ExpectSound(l, m);
  // The designed window, with the input mode band below it.
  EXPECT_EQ(l.client, (Extent{474, 377 + 40}));
  EXPECT_EQ(Height(l.toolBar), 19);
  EXPECT_EQ(Height(l.soundOn), 93);
  EXPECT_EQ(Height(l.soundOff), 93);
  EXPECT_EQ(Height(l.iconGroup), 114);
  EXPECT_EQ(Height(l.hintGroup), 58);
  EXPECT_EQ(Height(l.positionGroup), 45);
  EXPECT_EQ(Height(l.modeGroup), 40);
}

TEST(SettingsLayout, KeepsOrderAndFitsCaptionsAtCommonDpis) {
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE("dpi " + std::to_string(dpi));
    const SettingsPanelMeasures m = TypicalMeasures(dpi);
    const SettingsPanelLayout l = LayOutSettingsPanel(m);
    ExpectSound(l, m);
    // Sizes grow with the DPI: the window at 192 DPI is about twice the one at 96.
    const SettingsPanelLayout base = LayOutSettingsPanel(TypicalMeasures(96));
    EXPECT_NEAR(l.client.width, base.client.width * dpi / 96, 2 * dpi / 96);
    EXPECT_NEAR(l.client.height, base.client.height * dpi / 96, 3 * dpi / 96);
  }
}

TEST(SettingsLayout, WidensAndHeightensRatherThanClipping) {
  // A toolbar wider than the designed window widens the window.
  SettingsPanelMeasures m = TypicalMeasures(96);
  m.toolBar.width = 612;
  SettingsPanelLayout l = LayOutSettingsPanel(m);
  ExpectSound(l, m);
  EXPECT_EQ(l.client.width, 612);

  // A long hint caption (a wide fallback font) widens it too.
  m = TypicalMeasures(120);
  m.hintCheck = 800;
  l = LayOutSettingsPanel(m);
  ExpectSound(l, m);
  EXPECT_GT(l.client.width, 800);
  m = TypicalMeasures(96);
  m.iconCheck = 700;
  l = LayOutSettingsPanel(m);
  ExpectSound(l, m);
  m = TypicalMeasures(192);
  m.positionItem = 200;
  m.positionCaption = 900;
  l = LayOutSettingsPanel(m);
  ExpectSound(l, m);

  // Wide sound names: four columns still, each wide enough.
  m = TypicalMeasures(144);
  m.soundItem = 250;
  l = LayOutSettingsPanel(m);
  ExpectSound(l, m);
  EXPECT_GE(l.client.width, 4 * CheckControlWidth(250, m.checkGlyph, 144));

  // A tall font: every band grows as needed and the bands still do not overlap.
  m = TypicalMeasures(96);
  m.textHeight = 40;
  m.checkGlyph = 20;
  m.toolBar.height = 48;
  l = LayOutSettingsPanel(m);
  ExpectSound(l, m);
  EXPECT_GT(l.client.height, 377);
  EXPECT_EQ(Height(l.toolBar), 48);
}

TEST(SettingsCaptions, OpacityCaptionJoinsThePiecesExactly) {
  EXPECT_EQ(captions::OpacityCaption(80), u"アイコンを表示(&I)\u3000不透明度 80%");
  EXPECT_EQ(captions::OpacityCaption(100), u"アイコンを表示(&I)\u3000不透明度 100%");
  EXPECT_EQ(captions::OpacityCaption(10), u"アイコンを表示(&I)\u3000不透明度 10%");
  EXPECT_EQ(captions::IconCaption(false, 55), u"アイコンを表示(&I)");
  EXPECT_EQ(captions::IconCaption(true, 55), u"アイコンを表示(&I)\u3000不透明度 55%");
}

TEST(SettingsCaptions, AccessKeyIsTheCharacterAfterASingleAmpersand) {
  EXPECT_EQ(captions::AccessKeyOf(captions::kHide), u'C');
  EXPECT_EQ(captions::AccessKeyOf(captions::kClose), u'X');
  EXPECT_EQ(captions::AccessKeyOf(captions::kSoundOff), u'F');
  EXPECT_EQ(captions::AccessKeyOf(captions::kMute), 0);
  EXPECT_EQ(captions::AccessKeyOf(u"R&&D &go"), u'G');
  EXPECT_EQ(captions::AccessKeyOf(u"trailing&"), 0);
  EXPECT_EQ(captions::AccessKeyOf(nullptr), 0);
}

}  // namespace
}  // namespace ruvano

namespace ruvano {
namespace {

// The lines below the input mode check boxes stay inside its frame, under the check boxes,
// and the frame still ends the window.
TEST(SettingsLayout, TheLinesBelowTheInputModeChecksFitInsideItsFrame) {
  for (int dpi : {96, 144, 192}) {
    SCOPED_TRACE("dpi " + std::to_string(dpi));
    SettingsPanelMeasures m = TypicalMeasures(dpi);
    m.excludeCaption = ScaleToDpi(11 * 8, dpi);
    m.addAppButton = ScaleToDpi(11 * 10, dpi);
    m.optionCheck = ScaleToDpi(11 * 14, dpi);
    const SettingsPanelLayout l = LayOutSettingsPanel(m);
    ExpectSound(l, m);
    const Rect lines[] = {l.excludeGroup, l.excludeEdit, l.addAppButton, l.quietCheck, l.signInCheck};
    for (const Rect& r : lines) {
      EXPECT_TRUE(Inside(r, l.modeGroup));
      EXPECT_GE(r.top, l.modeChecks[0].bottom);
    }
    for (const Rect& r : {l.excludeEdit, l.addAppButton}) EXPECT_TRUE(Inside(r, l.excludeGroup));
    EXPECT_GE(Width(l.addAppButton), m.addAppButton);
    EXPECT_GE(Height(l.excludeEdit), m.textHeight + 2);
    EXPECT_FALSE(Overlap(l.excludeEdit, l.addAppButton));
    EXPECT_LE(l.excludeGroup.bottom, l.quietCheck.top);
    for (const Rect& r : {l.quietCheck, l.signInCheck})
      EXPECT_GE(Width(r), CheckControlWidth(m.optionCheck, m.checkGlyph, dpi));
    EXPECT_LE(l.quietCheck.right, l.signInCheck.left);
    // Without those controls the frame is as before.
    EXPECT_GT(l.client.height, LayOutSettingsPanel(TypicalMeasures(dpi)).client.height);
  }
}

}  // namespace
}  // namespace ruvano
