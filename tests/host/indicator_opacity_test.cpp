#include "ui/indicator_opacity.h"

#include <gtest/gtest.h>

namespace ruvano {
namespace {

TEST(IndicatorOpacity, PositionMapsToAlphaAndOnlyFullOpacityIsNotLayered) {
  const struct {
    std::int32_t position;
    int alpha;
  } table[] = {
      {10, 25}, {20, 51}, {25, 63}, {50, 127}, {75, 191}, {90, 229}, {99, 252},
  };
  for (const auto& row : table) {
    const IndicatorOpacity o = OpacityForPosition(row.position);
    EXPECT_TRUE(o.layered) << row.position;
    EXPECT_EQ(o.alpha, row.alpha) << row.position;
  }
  EXPECT_EQ(OpacityForPosition(100), (IndicatorOpacity{false, 255}));
}

TEST(IndicatorOpacity, PositionsOutsideTheRangeTakeTheNearestBound) {
  EXPECT_EQ(OpacityForPosition(0), OpacityForPosition(10));
  EXPECT_EQ(OpacityForPosition(-5), OpacityForPosition(10));
  EXPECT_EQ(OpacityForPosition(1000), (IndicatorOpacity{false, 255}));
}

TEST(IndicatorOpacity, OnlyAChangedStateOrValueTouchesTheWindow) {
  const IndicatorOpacity opaque = OpacityForPosition(100);
  const IndicatorOpacity half = OpacityForPosition(50);
  const IndicatorOpacity most = OpacityForPosition(99);
  EXPECT_EQ(BlendChangeFor(opaque, opaque), BlendChange::None);
  EXPECT_EQ(BlendChangeFor(opaque, half), BlendChange::Layer);
  EXPECT_EQ(BlendChangeFor(half, half), BlendChange::None);
  EXPECT_EQ(BlendChangeFor(half, most), BlendChange::Layer);
  EXPECT_EQ(BlendChangeFor(half, opaque), BlendChange::Unlayer);
}

}  // namespace
}  // namespace ruvano
