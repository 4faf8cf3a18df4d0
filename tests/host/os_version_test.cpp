#include <gtest/gtest.h>

#include "zeq/os_version.h"

namespace ruvano {
namespace {

TEST(OsVersion, Win8OrLaterStartsAt6Point2AndTakesExactly10) {
  EXPECT_FALSE(IsWin8OrLater({6, 0, 6002}));  // Vista
  EXPECT_FALSE(IsWin8OrLater({6, 1, 7601}));  // 7
  EXPECT_TRUE(IsWin8OrLater({6, 2, 9200}));
  EXPECT_TRUE(IsWin8OrLater({6, 3, 9600}));
  EXPECT_TRUE(IsWin8OrLater({10, 0, 19045}));
  EXPECT_FALSE(IsWin8OrLater({5, 1, 2600}));  // XP
  // A later major version counts only through its minor number.
  EXPECT_FALSE(IsWin8OrLater({11, 0, 0}));
  EXPECT_TRUE(IsWin8OrLater({11, 2, 0}));
}

TEST(OsVersion, Win7OrLaterComparesMajorBeforeMinor) {
  EXPECT_FALSE(IsWin7OrLater({6, 0, 6002}));  // Vista
  EXPECT_TRUE(IsWin7OrLater({6, 1, 7601}));
  EXPECT_TRUE(IsWin7OrLater({10, 0, 19045}));  // minor 0, but a later major version
  EXPECT_FALSE(IsWin7OrLater({5, 2, 3790}));
  EXPECT_FALSE(IsWin7OrLater({}));  // a failed reading
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
