#include <gtest/gtest.h>

#include "zeq/probes.h"

namespace ruvano {
namespace {

TEST(OsVersion, AtLeastComparesMajorBeforeMinor) {
  constexpr OsVersion win8{6, 2, 9200};
  EXPECT_FALSE((OsVersion{6, 0, 6002}.AtLeast(6, 1)));  // Vista is not 7
  EXPECT_FALSE((OsVersion{6, 1, 7601}.AtLeast(6, 2)));  // 7 is not 8
  EXPECT_TRUE(win8.AtLeast(6, 2));
  EXPECT_TRUE((OsVersion{6, 3, 9600}.AtLeast(6, 2)));
  EXPECT_TRUE((OsVersion{10, 0, 19045}.AtLeast(6, 2)));  // minor 0, but a later major version
  EXPECT_TRUE((OsVersion{11, 0, 0}.AtLeast(6, 2)));
  EXPECT_FALSE((OsVersion{5, 9, 3790}.AtLeast(6, 1)));
  EXPECT_FALSE(OsVersion{}.AtLeast(6, 1));  // a failed reading
}

TEST(OsVersion, Win11IsVersion10FromBuild22000) {
  EXPECT_FALSE(IsWin11({10, 0, 21999}));
  EXPECT_TRUE(IsWin11({10, 0, 22000}));
  EXPECT_TRUE(IsWin11({10, 0, 26100}));
  EXPECT_FALSE(IsWin11({6, 3, 22000}));
  EXPECT_FALSE(IsWin11({11, 0, 22000}));
}

}  // namespace
}  // namespace ruvano
