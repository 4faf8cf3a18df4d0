#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "fake_desktop.h"
#include "monitor/indicator_anchor.h"
#include "monitor/indicator_size.h"

namespace ruvano {
namespace {

using fakes::FakeDesktop;
using Q = FakeDesktop::Query;

constexpr WindowId kWindow = 0x00010094;
constexpr WindowId kDesktop = 0x00010010;
constexpr std::int32_t kKept = -77;  // the anchor before the call

struct Row {
  Rect r;
  std::int32_t border;
  std::int32_t position;
  bool desktop;
  std::int32_t left, top;
  std::int32_t size = 32;
};

TEST(IndicatorAnchor, WorkedExamples) {
  const Row rows[] = {
      {{100, 50, 900, 650}, 1, 0, false, 104, 54},
      {{100, 50, 900, 650}, 1, 1, false, 500, 54},
      {{100, 50, 900, 650}, 1, 2, false, 104, 617},
      {{100, 50, 900, 650}, 1, 3, false, 500, 617},
      {{100, 50, 900, 650}, 0, 2, false, 104, 618},
      {{-1288, 207, -7, 1000}, 5, 3, false, -648, 963},    // left of the primary monitor
      {{10, 10, 111, 61}, 1, 1, false, 60, 14},            // odd width loses its half pixel
      {{-1288, -700, -7, -100}, 1, 1, false, -648, -696},  // above and left: negative anchor
      {{-300, 50, 500, 650}, 9, 0, false, -296, 54},       // partly off screen: not clamped
      {{0, 0, 1920, 1080}, 1, -1, true, 960, 540},
      {{0, 0, 1920, 1080}, 1, 0, true, 960, 540},
      {{0, 0, 1920, 1080}, 1, 1, true, 960, 540},
      {{0, 0, 1920, 1080}, 1, 2, true, 960, 540},
      {{0, 0, 1920, 1080}, 1, 3, true, 960, 540},
      {{-1920, 0, 1920, 1080}, 1, 3, true, 0, 540},
      {{-1921, -3, 0, 0}, 1, 0, true, -961, -2},  // odd sizes lose the half pixel
      {{10, 10, 5, 5}, 1, 1, false, 8, 14},       // inverted: -5 halves to -2
      {{10, 10, 5, 5}, 1, 0, true, 8, 8},
      {{100, 50, 900, 650}, 1, -1, false, kKept, kKept},  // no position: unchanged
      // Larger indicators: the inset grows with the size, the bottom places lift by it.
      {{100, 50, 900, 650}, 1, 0, false, 106, 56, 48},
      {{100, 50, 900, 650}, 2, 3, false, 500, 584, 64},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.r.left << "," << row.r.top << "," << row.r.right << ","
                                    << row.r.bottom << " border " << row.border << " pos " << row.position);
    std::int32_t left = kKept, top = kKept;
    UpdateIndicatorAnchor(row.desktop ? kDesktop : kWindow, row.r, row.position, kDesktop, row.border,
                          row.size, left, top);
    EXPECT_EQ(left, row.left);
    EXPECT_EQ(top, row.top);
  }
}

TEST(IndicatorAnchor, NoDesktopWindowFoundCentresNothing) {
  std::int32_t left = 0, top = 0;
  UpdateIndicatorAnchor(kDesktop, {0, 0, 1920, 1080}, 0, 0, 1, 32, left, top);
  EXPECT_EQ(left, 4);
  EXPECT_EQ(top, 4);
}

TEST(IndicatorAnchor, ExtremeRectanglesDoNotOverflow) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  std::int32_t left = 0, top = 0;
  UpdateIndicatorAnchor(kDesktop, {kMin, kMin, kMax, kMax}, 1, kDesktop, 1, 144, left, top);
  EXPECT_EQ(left, -1);
  EXPECT_EQ(top, -1);
}

TEST(IndicatorSize, GrowsWithTheDpiOnlyToSizesThePicturesAreDrawnAt) {
  const struct {
    std::uint32_t dpi;
    std::int32_t iconSize, size;
  } rows[] = {{96, 0, 32},  {0, 0, 32},    {110, 0, 32},  {120, 0, 40}, {144, 0, 48},
              {192, 0, 64}, {336, 0, 108}, {480, 0, 144}, {96, 1, 48},  {120, 1, 60},
              {144, 1, 72}, {288, 1, 144}, {480, 1, 144}};
  for (const auto& row : rows)
    EXPECT_EQ(IndicatorSize(row.dpi, row.iconSize), row.size) << row.dpi << " DPI, IconSize " << row.iconSize;
}

TEST(BorderMetric, ReadFreshOnEveryCallFromTheSystemsSource) {
  FakeDesktop desk;
  desk.nonClientBorderWidth = 1;
  desk.borderMultiplier = 7;
  EXPECT_EQ(ReadBorderMetric(desk, Rect{}), 1);
  desk.nonClientBorderWidth = 4;
  EXPECT_EQ(ReadBorderMetric(desk, Rect{}), 4);
  EXPECT_EQ(desk.Count(Q::NonClientBorderWidth), 2);
  EXPECT_EQ(desk.Count(Q::BorderMultiplier), 0);

  desk.win8OrLater = false;
  EXPECT_EQ(ReadBorderMetric(desk, Rect{}), 7);
  desk.borderMultiplier = 0;  // the call failed
  EXPECT_EQ(ReadBorderMetric(desk, Rect{}), 0);
  EXPECT_EQ(desk.Count(Q::BorderMultiplier), 2);
  EXPECT_EQ(desk.Count(Q::NonClientBorderWidth), 2);
}

}  // namespace
}  // namespace ruvano
