#include <gtest/gtest.h>

#include <optional>

#include "fake_desktop.h"
#include "monitor/caret_anchor.h"

namespace ruvano {
namespace {

using fakes::FakeDesktop;

constexpr WindowId kWindow = 0x00010094;

// A 100 % monitor left of the primary one with its taskbar at the top, and a 200 % monitor
// (3840 × 2160) right of it: all in physical pixels; the indicator is 64 × 64 on the last.
FakeDesktop ThreeMonitors() {
  FakeDesktop d;
  d.monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                {{-1280, 0, 0, 1024}, {-1280, 40, 0, 1024}},
                {{1920, 0, 5760, 2160}, {1920, 0, 5760, 2080}, 192}};
  d.windows[kWindow] = {};
  return d;
}

TEST(CaretAnchor, PlacesAboveBelowAndInsideTheCaretsMonitor) {
  struct Row {
    Rect caret;
    std::optional<Point> at;
    std::int32_t iconSize = 0;
  } const rows[] = {
      {{500, 400, 501, 420}, Point{500, 366}},        // above
      {{500, 34, 502, 50}, Point{500, 0}},            // just fits above
      {{500, 33, 502, 50}, Point{500, 52}},           // would reach over the top: below
      {{1910, 400, 1911, 420}, Point{1888, 366}},     // kept inside at the right
      {{-1279, 60, -1278, 80}, Point{-1279, 82}},     // below the top taskbar on the left
      {{-3, 300, -2, 318}, Point{-32, 266}},          // the left monitor's right edge
      {{5000, 10, 5002, 50}, Point{5000, 54}},        // the 200 % monitor, near its top: 4 px gap
      {{5000, 500, 5002, 540}, Point{5000, 432}},     // 64 high there
      {{5758, 500, 5759, 540}, Point{5696, 432}},     // kept inside at 64 wide
      {{5000, 500, 5002, 540}, Point{5000, 398}, 1},  // large: 96 high, 6 px gap
      {{500, 400, 501, 420}, Point{500, 349}, 1},     // large at 100 %: 48 high, 3 px gap
      {{1918, 500, 1924, 540}, Point{1920, 432}},     // straddles: the monitor with more of it
      {{700, 500, 700, 520}, Point{700, 466}},        // no width: still a caret
      {{700, 500, 701, 500}, std::nullopt},           // no height: none
      {{-3000, 500, -2999, 520}, std::nullopt},       // on no monitor
  };
  for (const Row& row : rows) {
    FakeDesktop d = ThreeMonitors();
    d.windows[kWindow].systemCaret = row.caret;
    EXPECT_EQ(CaretAnchor(d, kWindow, row.iconSize), row.at) << row.caret.left << "," << row.caret.top;
  }
}

TEST(CaretAnchor, AsksTheSystemCaretFirstThenTheAccessibleOne) {
  const Rect system{100, 200, 101, 220}, accessible{300, 400, 301, 420}, offScreen{-5000, 0, -4999, 20};
  struct Row {
    std::optional<Rect> system, accessible;
    std::optional<Point> at;
    int accessibleAsked;
  } const rows[] = {
      {system, accessible, Point{100, 166}, 0},    {std::nullopt, accessible, Point{300, 366}, 1},
      {offScreen, accessible, Point{300, 366}, 1}, {Rect{}, accessible, Point{300, 366}, 1},
      {std::nullopt, offScreen, std::nullopt, 1},  {std::nullopt, std::nullopt, std::nullopt, 1},
  };
  for (const Row& row : rows) {
    FakeDesktop d = ThreeMonitors();
    d.windows[kWindow].systemCaret = row.system;
    d.windows[kWindow].accessibleCaret = row.accessible;
    EXPECT_EQ(CaretAnchor(d, kWindow, 0), row.at);
    EXPECT_EQ(d.counts[static_cast<std::size_t>(FakeDesktop::Query::AccessibleCaret)], row.accessibleAsked);
  }
  FakeDesktop d = ThreeMonitors();
  EXPECT_EQ(CaretAnchor(d, 0x999, 0), std::nullopt);  // gone: no caret
}

}  // namespace
}  // namespace ruvano
